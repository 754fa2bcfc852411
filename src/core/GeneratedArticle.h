// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QString>

// Saving generated text as an article: the name the user typed plus ".txt", in the folder the main window browses.
namespace GeneratedArticle {

// Whether the text can be saved under the name: the first entry missing, in the order the user is told of them
// (title "Missing Info"), then the name typed checked as fileName(name) (title "Error"): a separator would put the
// file outside the browsed folder, a dot first would hide it.
Result<void, Message> check(const QString& text, const QString& name);
// Whether the text can be saved as a file of that name (extension included): the text missing, then the file-name
// rule, with the same messages.
Result<void, Message> checkFile(const QString& text, const QString& fileName);

// The generated text as the article file holds it: each line break made the system's line ending, so that its
// editors show the paragraphs.
QString fileText(const QString& text);

// The article's file name: name and ".txt".
QString fileName(const QString& name);

// folder, separator and fileName(name); at a drive root, whose folder ends in the separator, the separator is single.
QString path(const QString& folder, const QString& name, QChar separator);

} // namespace GeneratedArticle
