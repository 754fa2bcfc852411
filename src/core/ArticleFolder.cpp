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

QString driveOf(const QString& folder, const QStringList& drives)
{
    for (const QString& drive : drives) {
        if (folder.startsWith(drive, Qt::CaseInsensitive))
            return drive;
    }
    return drives.value(0);
}

} // namespace ArticleFolder
