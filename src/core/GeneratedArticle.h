#pragma once

#include <QString>

// Saving generated text as an article: the name the user typed plus ".txt", in the folder the main window browses.
namespace GeneratedArticle {

enum class Problem { None, NothingToSave, NoName };

// The first entry missing, in the order the user is told of them. A name typed is then checked as FileName(name).
Problem Check(const QString& text, const QString& name);

// The article's file name: name and ".txt".
QString FileName(const QString& name);

// folder, separator and FileName(name); at a drive root, whose folder ends in the separator, the separator is single.
QString Path(const QString& folder, const QString& name, QChar separator);

} // namespace GeneratedArticle
