// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfMetadata.h"
#include "core/Result.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>

// What a line of the converter's error output is wanted for: why no PDF was made, or what went amiss in one made.
enum class ConverterLine { Cause, Warning };

// What lies at a PDF's path: only a file that is not empty, starts with "%PDF" and ends with "%%EOF" (white space
// after it allowed) is a whole PDF; a converter stopped while writing leaves it without that end.
enum class PdfCheck { Missing, Empty, NotPdf, Incomplete, Pdf };

struct ConverterResult {
    enum Status { Made, Failed, NotStarted };
    Status status = Failed;
    QString reason;        // why no PDF was made
    QString converterLine; // the converter's last error line; for a PDF made, its warning
};

// How the converter's work on one PDF ended: it said the PDF was done and went on to the next page (a converter
// kept running, ConverterWorker), it exited, it crashed, or it was stopped past its time limit or by a cancel.
struct ConverterEnd {
    enum How { Reported, Exited, Crashed, TimedOut, Cancelled };
    How how = Reported;
    int exitCode = 0;                       // Exited
    std::chrono::milliseconds timeLimit{0}; // TimedOut

    // The end of a converter process that has finished, after a cancel, past its time limit, or of itself.
    static ConverterEnd ofProcess(bool cancelled, bool timedOut, std::chrono::milliseconds timeLimit, int exitCode,
                                  QProcess::ExitStatus exitStatus);
};

// One run of the converter on one page. The run owns the converter's process and a time limit, waits for the end
// through signals and reports once through finished() what finishPartialPdf() makes of it.
class ConverterProcess : public QObject
{
    Q_OBJECT

public:
    // options: the converter's options, which go before the page and the PDF.
    ConverterProcess(const QString& converter, const QStringList& options, const QString& page, const QString& pdf,
                     const QString& token, std::chrono::milliseconds timeLimit, QObject* parent = nullptr);
    ~ConverterProcess() override;

    // The line of the converter's error output that says best what went wrong: its last line starting with
    // "Error:", else its last line that is not progress; cut to a length a message box can show. A cause is never a
    // line that runs making a good PDF print too: warnings, a script or image of the page that did not load, and
    // the exit code these give.
    static QString lastErrorLine(const QByteArray& errorOutput, ConverterLine use = ConverterLine::Cause);
    static PdfCheck checkPdf(const QString& path);
    // The converter writes beside the PDF under a hidden name unique to the job (token: 8 hex digits), and the PDF
    // is renamed over the PDF's name only once it is whole and has its properties; so a PDF of that name from
    // before stays as it was until then.
    static QString partialPdfPath(const QString& pdf, const QString& token);
    // Removes the partial PDFs of a folder, which only a program that ended during a run leaves behind.
    static void removePartialPdfs(const QString& folder);
    // How long the converter may take for a page of that many bytes.
    static std::chrono::milliseconds timeLimit(qint64 pageBytes);
    // Judges what the converter left at the partial path once its work on the PDF has ended. Only a whole PDF counts
    // as made, whatever the exit code says: the converter exits with 1 when a script of the page cannot load
    // although it wrote the PDF, and with 0 in cases where it wrote nothing. A PDF made stays at the partial path
    // for placePartialPdf(); on any failure the partial PDF is removed, so an older PDF of that name stays whole.
    // errors: the converter's error output on this PDF, whose last error line goes with the result; for a PDF
    // made, as its warning when the converter exited with an error, or reported one on the page.
    static ConverterResult finishPartialPdf(const QString& part, const ConverterEnd& end, const QByteArray& errors);
    // Appends the properties to a partial PDF that finishPartialPdf() made, then renames it over the PDF's path.
    // One qpdf cannot open is damaged and not made; properties not written for another reason join the PDF's
    // warning. On a failure the partial PDF is removed, so an older PDF of that name stays whole. qpdf reads the
    // whole cross-reference table, long for a PDF of thousands of pages, so this may run on any thread.
    static ConverterResult placePartialPdf(const QString& part, const QString& pdf, const ConverterResult& made,
                                           const PdfMetadata::Properties& properties);

    QString page() const { return m_page; }
    QString pdf() const { return m_pdf; }

    // The converter starts at the next turn of the event loop, so a caller always hears of the end afterwards.
    void start();
    // Ends the converter; the run then reports a failure.
    void cancel();

signals:
    void finished(const ConverterResult& result);

private:
    void launch();
    void onErrorOccurred(QProcess::ProcessError error);
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void readErrors();
    void report(const ConverterResult& result);

    QString m_converter;
    QString m_page;
    QString m_pdf;
    QString m_part;
    std::chrono::milliseconds m_timeLimit;
    QProcess m_process;
    QTimer m_timer;
    QByteArray m_errors;
    bool m_timedOut = false;
    bool m_cancelled = false;
    bool m_reported = false;
};
