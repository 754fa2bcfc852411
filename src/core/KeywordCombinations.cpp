#include "core/KeywordCombinations.h"

#include "core/TextFile.h"

#include <QCoreApplication>

namespace KeywordCombinations {

QStringList lines(const QString& text)
{
    return TextFile::splitLines(text, TextFile::EmptyLines::Skip);
}

QString combine(const QStringList& patterns, const QStringList& keywords)
{
    QString result;
    for (const QString& pattern : patterns.isEmpty() ? QStringList{Placeholder} : patterns) {
        for (const QString& keyword : keywords)
            result += QString(pattern).replace(Placeholder, keyword) + LineBreak;
    }
    return result;
}

Result<Combined, Message> combineKeywords(const QStringList& patterns, const QString& keywordText, FrontEnd frontEnd,
                                          const QString& patternFile)
{
    const QString title = QCoreApplication::translate("KeywordCombinations", "Missing Info");
    if (keywordText.isEmpty())
        return Error{
            Message{title, frontEnd == FrontEnd::Window
                               ? QCoreApplication::translate("KeywordCombinations", "Please enter some keywords first.")
                               : QCoreApplication::translate("KeywordCombinations", "--keywords gave no keywords.")}};
    Combined combined{lines(keywordText), {}, std::nullopt};
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
