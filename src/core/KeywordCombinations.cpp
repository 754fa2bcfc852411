// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeywordCombinations.h"

#include "core/TextFile.h"

#include <QCoreApplication>
#include <QHash>

namespace KeywordCombinations {

QStringList lines(const QString& text)
{
    return TextFile::splitLines(text, TextFile::EmptyLines::Skip);
}

QStringList keywords(const QString& text)
{
    QStringList trimmed;
    for (const QString& line : lines(text)) {
        if (const QString keyword = line.trimmed(); !keyword.isEmpty())
            trimmed << keyword;
    }
    return trimmed;
}

namespace {
// Calls made(name, keyword) for each pattern and keyword, grouped by pattern in list order.
template <typename Made> void forEachName(const QStringList& patterns, const QStringList& keywords, Made made)
{
    for (const QString& pattern : patterns.isEmpty() ? QStringList{Placeholder} : patterns) {
        for (const QString& keyword : keywords)
            made(QString(pattern).replace(Placeholder, keyword), keyword);
    }
}
} // namespace

QString combine(const QStringList& patterns, const QStringList& keywords)
{
    QString result;
    forEachName(patterns, keywords, [&](const QString& name, const QString&) { result += name + LineBreak; });
    return result;
}

QStringList keywordsOf(const QStringList& names, const QStringList& patterns, const QString& keywordText)
{
    QHash<QString, QString> made;
    forEachName(patterns, keywords(keywordText), [&](const QString& name, const QString& keyword) {
        if (!made.contains(name))
            made.insert(name, keyword);
    });
    QStringList keywords;
    keywords.reserve(names.size());
    for (const QString& name : names)
        keywords << made.value(name);
    return keywords;
}

Result<Combined, Message> combineKeywords(const QStringList& patterns, const QString& keywordText, FrontEnd frontEnd,
                                          const QString& patternFile)
{
    const QString title = QCoreApplication::translate("KeywordCombinations", "Missing Info");
    Combined combined{keywords(keywordText), {}, std::nullopt};
    if (combined.keywords.isEmpty())
        return Error{
            Message{title, frontEnd == FrontEnd::Window
                               ? QCoreApplication::translate("KeywordCombinations", "Please enter some keywords first.")
                               : QCoreApplication::translate("KeywordCombinations", "--keywords gave no keywords.")}};
    combined.finalList = combine(patterns, combined.keywords);
    if (patterns.isEmpty())
        combined.note = Message{
            title, QCoreApplication::translate("KeywordCombinations", "No combination patterns were found in %1.")
                       .arg(patternFile)};
    return combined;
}

QString summaryLine(qsizetype articles, qsizetype filenames)
{
    return QCoreApplication::translate("KeywordCombinations", "Articles to Create: %1  - Filenames: %2")
        .arg(articles)
        .arg(filenames);
}

} // namespace KeywordCombinations
