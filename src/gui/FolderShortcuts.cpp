#include "gui/FolderShortcuts.h"

#include <QQueue>

#ifdef Q_OS_WIN
#include <QProcess>
#include <qt_windows.h>

#include <memory>
#include <string>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

namespace FolderShortcuts {

namespace {
bool testMode = false;
QQueue<bool> nextResults;
QStringList openedFolders;

bool startFileManager(const QString& folder)
{
#ifdef Q_OS_WIN
    // QProcess would put a second blank between program and arguments; hand CreateProcess the exact line.
    auto commandLine = std::make_shared<std::wstring>(explorerCommandLine(folder).toStdWString());
    QProcess explorer;
    explorer.setProgram(QStringLiteral("explorer"));
    explorer.setCreateProcessArgumentsModifier([commandLine](QProcess::CreateProcessArguments* args) {
        args->arguments = commandLine->data();
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
    });
    return explorer.startDetached();
#else
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
#endif
}
} // namespace

QString explorerCommandLine(const QString& folder)
{
    return "explorer " + folder;
}

bool openFolder(const QString& folder)
{
    if (!testMode)
        return startFileManager(folder);
    openedFolders.append(folder);
    return nextResults.isEmpty() || nextResults.dequeue();
}

void setTestMode(bool on)
{
    testMode = on;
    nextResults.clear();
    openedFolders.clear();
}

void setNextResult(bool started)
{
    nextResults.enqueue(started);
}

QStringList opened()
{
    return openedFolders;
}

} // namespace FolderShortcuts
