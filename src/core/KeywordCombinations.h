#pragma once

#include <QString>
#include <QStringList>

// The final filename list: each keyword put into each combination pattern.
namespace KeywordCombinations {

inline const QString Placeholder = QStringLiteral("#KEYWORD#");
// Multi-line text boxes separate their lines with a line feed.
inline const QString LineBreak = QStringLiteral("\n");

// The lines of a text box's text, empty lines left out; a CR LF or CR pasted in counts as one line break.
QStringList lines(const QString& text);

// One name per pattern and keyword, grouped by pattern in list order; every name, the last included, is followed
// by a line break. Nothing in a pattern or keyword is trimmed or changes letter case. With no pattern, each keyword
// is its own name.
QString combine(const QStringList& patterns, const QStringList& keywords);

// "Articles to Create: 12  - Filenames: 6"
QString summaryLine(qsizetype articles, qsizetype filenames);

} // namespace KeywordCombinations
