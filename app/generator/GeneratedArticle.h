#pragma once

#include <QString>

// Saving generated text as an article: the name the user typed plus ".txt", in the folder the main window browses.
namespace GeneratedArticle {

enum class Problem { None, NothingToSave, NoName, InvalidName };

// The first reason, in the order the user is told of them, why text cannot be saved under name.
Problem Check(const QString& text, const QString& name);

// folder, separator, name and ".txt"; at a drive root, whose folder ends in the separator, the separator is single.
QString Path(const QString& folder, const QString& name, QChar separator);

} // namespace GeneratedArticle
