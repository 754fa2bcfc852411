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

QString DisplayPath(const QString& folder)
{
    return QDir::toNativeSeparators(QDir(folder).absolutePath());
}

std::optional<QStringList> ArticleFileNames(const QString& folder)
{
    // Without QDir::CaseSensitive the name filter ignores letter case on every system.
    return entries(folder, {Pattern}, QDir::Files);
}

std::optional<QStringList> SubFolderNames(const QString& folder)
{
    return entries(folder, {}, QDir::Dirs | QDir::NoDotAndDotDot);
}

QStringList FolderChain(const QString& folder)
{
    QStringList chain;
    QDir dir(folder);
    do {
        chain.prepend(DisplayPath(dir.absolutePath()));
    } while (dir.cdUp());
    return chain;
}

QString DriveOf(const QString& folder, const QStringList& drives)
{
    for (const QString& drive : drives) {
        if (folder.startsWith(drive, Qt::CaseInsensitive))
            return drive;
    }
    return drives.value(0);
}

} // namespace ArticleFolder
