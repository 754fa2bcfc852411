// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppFolders.h"
#include "core/PageBuilder.h"

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <QTimer>

#include <chrono>

class QProcess;

// A picture of the ad block as the PDFs show it: the top of the page template filled with the ad, drawn by the
// image tool beside the converter. The tool reads the page from its input and writes a PNG to its output, so
// nothing is written to disk. A drawing runs in the background and ends in rendered() or failed(), never both.
class AdPreview : public QObject
{
    Q_OBJECT

public:
    // The width the page is laid out at, as wide as the page template's column with its margins.
    static constexpr int PageWidth = 828;
    static constexpr std::chrono::seconds TimeLimit{5};

    // The filled page template, closed without the article and its scripts, which a picture of its top does not need.
    static QString pageText(const QString& templateText, const PageBuilder::AdBlock& ad);
    // The image tool's arguments for the top of the page in the proportions of picture, PageWidth wide.
    static QStringList toolArguments(const QSize& picture);

    explicit AdPreview(const AppFolders& folders, QObject* parent = nullptr);
    ~AdPreview() override;

    // Starts drawing the ad for a picture of that size; a drawing still running is abandoned.
    void render(const PageBuilder::AdBlock& ad, const QSize& picture);
    // Abandons the drawing running, if any, without a signal.
    void cancel();
    bool isRunning() const { return m_process != nullptr; }

signals:
    void rendered(const QByteArray& png);
    // Why there is no picture, in one short line.
    void failed(const QString& why);

private:
    void onFinished();

    AppFolders m_folders;
    QProcess* m_process = nullptr;
    QTimer m_timer;
};
