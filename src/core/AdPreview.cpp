// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AdPreview.h"

#include "core/ConverterProcess.h"
#include "core/Platform.h"
#include "core/TextFile.h"

#include <QFileInfo>
#include <QProcess>

QString AdPreview::pageText(const QString& templateText, const PageBuilder::AdBlock& ad)
{
    return PageBuilder::fillTemplate(templateText, ad) + QStringLiteral("</body></html>");
}

QStringList AdPreview::toolArguments(const QSize& picture)
{
    const int height = picture.isEmpty() ? PageWidth / 2 : PageWidth * picture.height() / picture.width();
    // Without scripts nothing needs waiting for, and the tool's default wait for them is most of its time.
    QStringList arguments{"--quiet", "--disable-javascript", "--javascript-delay", "0", "--disable-smart-width"};
    // For a PNG the quality is how tightly it is packed; it loses nothing.
    arguments << "--format"
              << "png"
              << "--quality"
              << "50";
    arguments << "--width" << QString::number(PageWidth) << "--height" << QString::number(height);
    // The page comes from the tool's input, the picture goes to its output.
    return arguments << "-"
                     << "-";
}

AdPreview::AdPreview(const AppFolders& folders, QObject* parent)
    : QObject(parent)
    , m_folders(folders)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(TimeLimit);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        cancel();
        emit failed(tr("No preview: drawing it took longer than %1 s.").arg(TimeLimit.count()));
    });
}

AdPreview::~AdPreview()
{
    cancel();
}

void AdPreview::render(const PageBuilder::AdBlock& ad, const QSize& picture)
{
    cancel();
    const QString tool = m_folders.imageTool();
    if (!QFileInfo(tool).isExecutable())
        return emit failed(tr("No preview: %1 is missing from the bin folder.").arg(QFileInfo(tool).fileName()));
    const Result<QString> templateText = TextFile::load(m_folders.pageTemplate());
    if (!templateText)
        return emit failed(tr("No preview: the page template could not be read."));

    auto* process = m_process = new QProcess(this);
    process->setProgram(tool);
    process->setArguments(toolArguments(picture));
    connect(process, &QProcess::finished, this, &AdPreview::onFinished);
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            onFinished();
    });
    m_timer.start();
    process->start();
    // A start that fails may have said so already.
    if (m_process == process) {
        process->write(pageText(*templateText, ad).toUtf8());
        process->closeWriteChannel();
    }
}

void AdPreview::cancel()
{
    m_timer.stop();
    if (!m_process)
        return;
    Platform::reapProcessGroup(std::exchange(m_process, nullptr));
}

void AdPreview::onFinished()
{
    m_timer.stop();
    QProcess* process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    process->deleteLater();
    const QByteArray png = process->readAllStandardOutput();
    if (png.startsWith("\x89PNG"))
        return emit rendered(png);
    QString cause = ConverterProcess::lastErrorLine(process->readAllStandardError());
    if (cause.isEmpty())
        cause = process->errorString();
    emit failed(tr("No preview: the image tool failed (%1).").arg(cause));
}
