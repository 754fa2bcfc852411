// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJob.h"

// One PDF per article. Pages are written and converters started in article order, each page just before its
// converter starts, so that pages are never all held in memory; up to the request's limit of converters run at
// once. A later article whose page or PDF has the name of one still being converted waits for it and then
// replaces it. An article that cannot be read, a page that cannot be written or a PDF name that cannot be used
// makes that PDF fail, and the job goes on with the next article.
class BulkPdfJob : public PdfJob
{
    Q_OBJECT

public:
    explicit BulkPdfJob(const PdfJobRequest& request, QObject* parent = nullptr);
    ~BulkPdfJob() override;

private:
    void begin() override;
    void proceed() override;
    // One article per turn of the event loop keeps the window responsive however many can start.
    void schedule();
    void startNext();
    // Reads the article and writes its page; the result is the article's textWarning().
    Result<QString> writePage(int index, const QString& page) const;

    int m_next = 0;
    bool m_scheduled = false;
};
