// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/FolderShortcuts.h"

#include <QDesktopServices>
#include <QQueue>
#include <QUrl>

namespace FolderShortcuts {

namespace {
bool testMode = false;
QQueue<bool> nextResults;
QStringList openedFolders;
} // namespace

bool openFolder(const QString& folder)
{
    if (!testMode)
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
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
