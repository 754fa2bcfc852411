// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>

class ConverterProcess;
class ConverterWorker;
struct ConverterEnd;
struct ConverterResult;

// The converters of one job. Up to a number of workers, converters kept running from one page to the next, each
// converting one page at a time (ConverterWorker); a worker that ends or is killed past a page's time limit is
// replaced by a fresh one for the next page. A page gets a converter process of its own (ConverterProcess) instead
// when no worker is free, when its paths cannot be written on the converter's line (converterArgumentsLine), or once
// the workers have been given up: when a worker could not be started, or ended before any had finished a page, and
// the page was then made by a converter process of its own, so that the converter cannot take its pages line by
// line. Either way the PDF is judged by ConverterProcess::finishPartialPdf, and one made is left at its partial path
// for ConverterProcess::placePartialPdf. Every converter ends with the pool at the latest.
class ConverterPool : public QObject
{
    Q_OBJECT

public:
    // options: the converter's options, for every page. workers: how many converters are kept running; with 0 every
    // page has a converter process of its own. token names the partial PDFs (ConverterProcess::partialPdfPath).
    ConverterPool(const QString& converter, const QStringList& options, int workers, const QString& token,
                  QObject* parent = nullptr);
    ~ConverterPool() override;

    // Converts the page into the PDF; finished() follows, always after this returns.
    void convert(int id, const QString& page, const QString& pdf, std::chrono::milliseconds timeLimit);
    // Ends every converter; the pages being converted end as cancelled, and stopped() follows once every converter
    // has ended, always after this returns.
    void stop();
    // Why the workers were given up, or why some pages had converter processes of their own; or nothing.
    QString fallbackReason() const;

signals:
    void finished(int id, const ConverterResult& result);
    void stopped();

private:
    ConverterWorker* idleWorker();
    void documentEnded(ConverterWorker* worker, const ConverterEnd& end, const QByteArray& errors);
    // Every page from now on gets a converter process of its own; cause: why, in a few words.
    void giveUpWorkers(const QString& cause);
    // workerCause: why a worker could not make the page; when the page is made alone, the workers are given up.
    void runAlone(int id, const QString& page, const QString& pdf, std::chrono::milliseconds timeLimit,
                  const QString& workerCause = {});
    void stoppedWhenIdle();

    const QString m_converter;
    const QStringList m_options;
    const int m_size;
    const QString m_token;
    QList<ConverterWorker*> m_workers;
    QList<ConverterProcess*> m_runs;
    bool m_workerFinishedPage = false;
    bool m_stopping = false;
    QString m_fallbackReason;
    int m_pagesOffTheLine = 0; // whose paths the converter's line cannot carry
};
