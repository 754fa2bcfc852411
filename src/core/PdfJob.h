// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobTypes.h"
#include "core/PdfMetadata.h"

#include <QHash>
#include <QObject>

class ConverterPool;
struct ConverterResult;

// What the single and the bulk job share: the checks made before anything is written, the converter runs and
// their outcomes, stopping, cancelling and the report. A job works in short steps between turns of the event
// loop and reports through its signals; it ends exactly once, with finished(), always after start() returned.
class PdfJob : public QObject
{
    Q_OBJECT

public:
    PdfJob(const PdfJobRequest& request, int plannedPdfs, QObject* parent = nullptr);
    ~PdfJob() override;

    void start();
    // No converter starts any more and the running ones are ended; the end follows at once, cancelled set.
    void cancel();

signals:
    // Article index (from 0) of count is being prepared; nameIndex is the item of the final filename list that
    // names its PDF, or -1.
    void articleStarted(int index, int count, int nameIndex);
    void pdfMade(const QString& pdf, const QString& warning);
    void pdfFailed(const QString& pdf, const QString& reason);
    void pdfSkipped(const QString& pdf);
    // The job has ended and no converter of it runs any more.
    void finished(const PdfJobReport& report);

protected:
    // Called once the converter, the output folder and the filled page template are known to be there.
    virtual void begin() = 0;
    // Called whenever a converter run has ended, so that a job can start what waited for it.
    virtual void proceed() {}

    const PdfJobRequest& request() const { return m_request; }
    const QString& pageHead() const { return m_head; }
    const QString& scriptTail() const { return m_tail; }

    // The article at index is being prepared; nameIndex is the final filename list's item naming its PDF, or -1.
    void announceArticle(int index, int nameIndex);
    // The properties of a PDF of that title: the ad title as its subject, the request's author, the program as its
    // creator.
    PdfMetadata::Properties properties(const QString& title, const QString& keywords = {}) const;
    // Converts one page, then appends the PDF's properties and puts it in place; the outcome is recorded when all
    // has ended. name is the PDF's name as the user gave it. A PDF whose properties could not be written still
    // counts as made, with the reason among its warnings, unless qpdf cannot open it. The bulk job's pages go to
    // converters kept running (ConverterPool), as many as the request's converter limit; the single job's one page to a
    // converter process of its own. warning goes with the PDF if it is made.
    void runConverter(int index, const QString& name, const QString& page, const QString& pdf,
                      const PdfMetadata::Properties& properties, const QString& warning = {});
    // The warning for an article whose text holds NUL bytes, which a text file does not: its PDF is made all the
    // same, but is likely garbage. Empty for text.
    static QString textWarning(const QString& article, const QString& text);
    // Pages with a converter at work; a PDF still getting its properties no longer holds one.
    int runningConverters() const { return m_runningConverters; }
    // The request's number of converters at once, the automatic one worked out when the job was made.
    int converterLimit() const { return m_converterLimit; }
    // True while a page being converted is this page or has this PDF (names compared ignoring letter case, as
    // Windows does), whichever converter has it.
    bool isInUse(const QString& page, const QString& pdf) const;

    void recordFailure(int index, const QString& name, const QString& pdf, const QString& reason);
    // The output folder held the PDF when the run started and the user chose to keep it.
    void recordSkipped(int index, const QString& name, const QString& pdf);
    // Nothing more is started; the message tells the user why.
    void stop(const QString& message);
    bool isStopping() const { return m_stopping; }
    // The job has nothing more to start; the report goes out when the last converter has ended.
    void done();

private:
    void prepare();
    // The converter, its options and the output folder are checked, the page head and the script tail made.
    Result<> loadPageParts();
    // ConverterProcess::placePartialPdf, away from the window's thread.
    void placePdf(int index, const ConverterResult& result);
    void converterEnded(int index, const ConverterResult& result);
    void finishWhenIdle();
    // Outcomes for the PDFs the job never came to, and the PDFs made that a later one of the same name replaced.
    void completeReport();

    // A page given to a converter, until its PDF is in place, so that its PDF counts as in use until then.
    struct Converting {
        QString name;
        QString page;
        QString pdf;
        PdfMetadata::Properties properties;
        QString warning;
    };

    const PdfJobRequest m_request;
    const QString m_token; // names this job's partial PDFs
    const int m_converterLimit;
    PdfJobReport m_report;
    QString m_head;
    QString m_tail;
    ConverterPool* m_converters;
    QHash<int, Converting> m_converting; // by article index
    int m_runningConverters = 0;
    bool m_stopping = false;
    bool m_done = false;
    bool m_finishing = false;
};
