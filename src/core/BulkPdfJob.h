#pragma once

#include "core/PdfJob.h"

// A bulk PDF's name from an item of the final filename list: ".pdf" appended, every blank turned into "-", then
// one pass turning "--" into "-".
QString KeywordPdfName(const QString& item);

struct BulkNames {
    QString page;       // after the article, also with keyword names
    QString pdf;        // after the article, or from the final filename list
    int nameIndex = -1; // the final filename list's item used, or -1
};
// The names of the article at index: the final filename list is used in turn, from the first item again when it
// is used up.
BulkNames BulkNamesFor(const PdfJobRequest& request, int index);

// One PDF per article. Pages are written and converters started in article order, each page just before its
// converter starts, so that pages are never all held in memory; up to the request's limit of converters run at
// once. A later article whose page or PDF has the name of one still being converted waits for it and then
// replaces it. An article that cannot be read, a page that cannot be written or a PDF name that cannot be used
// makes that PDF fail, and the job goes on with the next article.
class BulkPdfJob : public PdfJob
{
public:
    BulkPdfJob(const PdfJobRequest& request, PdfJobEngine& engine);
    ~BulkPdfJob() override;

private:
    void begin() override;
    void proceed() override;
    // One article per turn of the event loop keeps the window responsive however many can start.
    void schedule();
    void startNext();
    // Reads the article and writes its page; or why not.
    QString writePage(int index, const QString& page) const;

    int m_next = 0;
    bool m_scheduled = false;
};
