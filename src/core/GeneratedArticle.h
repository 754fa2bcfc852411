#pragma once

#include "core/Result.h"

#include <QString>

// Saving generated text as an article: the name the user typed plus ".txt", in the folder the main window browses.
namespace GeneratedArticle {

// Whether the text can be saved under the name: the first entry missing, in the order the user is told of them
// (title "Missing Info"), then the name typed checked as fileName(name) (title "Error"): a separator would put the
// file outside the browsed folder, a dot first would hide it.
Result<void, Message> check(const QString& text, const QString& name);

// The article's file name: name and ".txt".
QString fileName(const QString& name);

// folder, separator and fileName(name); at a drive root, whose folder ends in the separator, the separator is single.
QString path(const QString& folder, const QString& name, QChar separator);

} // namespace GeneratedArticle
