// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

// The final filename list: each keyword put into each combination pattern.
namespace KeywordCombinations {

inline const QString Placeholder = QStringLiteral("#KEYWORD#");
// Multi-line text boxes separate their lines with a line feed.
inline const QString LineBreak = QStringLiteral("\n");

// The lines of a text box's text, empty lines left out; a CR LF or CR pasted in counts as one line break.
QStringList lines(const QString& text);

// The keywords of the keyword box's text: its lines trimmed, blank ones left out, as a line of blanks or a blank at
// a keyword's end would make a name of hyphens.
QStringList keywords(const QString& text);

// One name per pattern and keyword, grouped by pattern in list order; every name, the last included, is followed
// by a line break. Nothing in a pattern or keyword is trimmed or changes letter case. With no pattern, each keyword
// is its own name.
QString combine(const QStringList& patterns, const QStringList& keywords);

// The keyword that made each of the names, name by name, as combineKeywords() makes them of the keyword box's text:
// empty for a name that no keyword makes, such as one typed by hand.
QStringList keywordsOf(const QStringList& names, const QStringList& patterns, const QString& keywordText);

// What "Combine Keywords" makes of the keyword box's text and the combination patterns: the keywords
// (keywords()), the final list's text, and a note naming patternFile to show when there is no pattern; or the message
// to show when no keyword was entered. Every front end combines through here.
struct Combined {
    QStringList keywords;
    QString finalList;
    std::optional<Message> note;
};
Result<Combined, Message> combineKeywords(const QStringList& patterns, const QString& keywordText,
                                          FrontEnd frontEnd = FrontEnd::Window,
                                          const QString& patternFile = QStringLiteral("lstcombinations.txt"));

// "Articles to Create: 12  - Filenames: 6"
QString summaryLine(qsizetype articles, qsizetype filenames);

} // namespace KeywordCombinations
