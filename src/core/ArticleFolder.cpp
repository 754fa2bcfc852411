// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ArticleFolder.h"

#include <QDir>
#include <QFileInfo>

namespace ArticleFolder {

namespace {
std::optional<QStringList> entries(const QString& folder, const QStringList& nameFilters, QDir::Filters filters)
{
    const QDir dir(folder);
    // An empty listing cannot tell an empty folder from one that cannot be read; ask first.
    if (!QFileInfo(folder).isDir() || !dir.isReadable())
        return std::nullopt;
    return dir.entryList(nameFilters, filters, QDir::Name | QDir::IgnoreCase);
}
} // namespace

QString displayPath(const QString& folder)
{
    return QDir::toNativeSeparators(QDir(folder).absolutePath());
}

std::optional<QStringList> articleFileNames(const QString& folder)
{
    // Without QDir::CaseSensitive the name filter ignores letter case on every system.
    return entries(folder, {Pattern}, QDir::Files);
}

std::optional<QStringList> subFolderNames(const QString& folder)
{
    return entries(folder, {}, QDir::Dirs | QDir::NoDotAndDotDot);
}

QStringList folderChain(const QString& folder)
{
    QStringList chain;
    QDir dir(folder);
    do {
        chain.prepend(displayPath(dir.absolutePath()));
    } while (dir.cdUp());
    return chain;
}

Dropped droppedArticles(const QStringList& paths)
{
    Dropped dropped;
    for (const QString& path : paths) {
        // A folder's URL may end in a separator, which would leave its name empty.
        const QFileInfo info(QDir::cleanPath(path));
        if (info.isFile() && QDir::match(Pattern, info.fileName())) {
            dropped.articles << displayPath(info.filePath());
        } else if (const auto names = info.isDir() ? articleFileNames(info.filePath()) : std::nullopt) {
            for (const QString& name : *names)
                dropped.articles << displayPath(QDir(info.filePath()).filePath(name));
        } else {
            dropped.ignored << info.fileName();
        }
    }
    return dropped;
}

QString driveOf(const QString& folder, const QStringList& drives)
{
    for (const QString& drive : drives) {
        if (folder.startsWith(drive, Qt::CaseInsensitive))
            return drive;
    }
    return drives.value(0);
}

} // namespace ArticleFolder
