// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Reading the folders the article browser shows. Paths come and go with the platform's separators; a root keeps
// its trailing separator ("C:\" or "/"), other folders have none.
namespace ArticleFolder {

// The file pattern of articles, matched ignoring letter case as the Windows file system does.
inline const QString Pattern = QStringLiteral("*.txt");

// The path as the browser shows it: absolute, cleaned, with native separators.
QString displayPath(const QString& folder);

// The names (without folder) of the article files of folder; nothing when the folder cannot be read.
std::optional<QStringList> articleFileNames(const QString& folder);

// The names of the folders inside folder; nothing when the folder cannot be read.
std::optional<QStringList> subFolderNames(const QString& folder);

// The folder's root, each folder on the way down and the folder itself, as display paths.
QStringList folderChain(const QString& folder);

struct Dropped {
    QStringList articles; // display paths
    QStringList ignored;  // file names
};
// What dropping these paths adds to the selected articles, in the order dropped: an article file itself, a folder
// its article files in the listing's order. Anything else is ignored: other files, and folders that cannot be read.
Dropped droppedArticles(const QStringList& paths);

// The entry of drives that holds folder (compared ignoring letter case), or the first drive when none does.
QString driveOf(const QString& folder, const QStringList& drives);

} // namespace ArticleFolder
