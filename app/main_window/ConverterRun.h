#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>
#include <string>

// The converter's command line as Windows receives it: the quoted converter, two blanks, the quoted page, one
// blank, the quoted PDF. The quote marks keep paths with blanks whole; no option is passed.
QString ConverterCommandLine(const QString& converter, const QString& page, const QString& pdf);

// The line of the converter's error output that says best what went wrong: its last line starting with "Error:",
// else its last line that is not progress; cut to a length a message box can show.
QString LastErrorLine(const QByteArray& errorOutput);

// What lies at a PDF's path: only a file that is not empty and starts with "%PDF" is a PDF.
enum class PdfCheck { Missing, Empty, NotPdf, Pdf };
PdfCheck CheckPdf(const QString& path);

struct ConverterResult {
    enum Status { Made, Failed, NotStarted };
    Status status = Failed;
    QString reason;        // why no PDF was made
    QString converterLine; // the converter's last error line; for a PDF made, its warning
};

// One run of the converter on one page. The run owns the converter's process and a time limit, waits for the end
// through signals and reports once through finished(). A PDF counts as made when the converter has ended and a
// PDF written during this run lies at the path: the converter exits with 1 when a script of the page cannot load
// although it wrote the PDF, and exits with 0 in cases where it wrote nothing.
class ConverterRun : public QObject
{
    Q_OBJECT

public:
    ConverterRun(const QString& converter, const QString& page, const QString& pdf, std::chrono::milliseconds timeLimit,
                 QObject* parent = nullptr);
    ~ConverterRun() override;

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
    void stopProcess();
    void report(const ConverterResult& result);

    QString m_converter;
    QString m_page;
    QString m_pdf;
    std::chrono::milliseconds m_timeLimit;
    QProcess m_process;
    QTimer m_timer;
    QByteArray m_errors;
    bool m_timedOut = false;
    bool m_cancelled = false;
    bool m_reported = false;
#ifdef Q_OS_WIN
    std::wstring m_commandLine; // CreateProcess may write into the buffer it is given
#endif
};
