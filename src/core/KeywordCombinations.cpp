#include "core/KeywordCombinations.h"

#include "core/TextFile.h"

#include <QCoreApplication>

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

QString combine(const QStringList& patterns, const QStringList& keywords)
{
    QString result;
    for (const QString& pattern : patterns.isEmpty() ? QStringList{Placeholder} : patterns) {
        for (const QString& keyword : keywords)
            result += QString(pattern).replace(Placeholder, keyword) + LineBreak;
    }
    return result;
}

Result<Combined, Message> combineKeywords(const QStringList& patterns, const QString& keywordText)
{
    const QString title = QCoreApplication::translate("KeywordCombinations", "Missing Info");
    Combined combined{keywords(keywordText), {}, std::nullopt};
    if (combined.keywords.isEmpty())
        return Error{
            Message{title, QCoreApplication::translate("KeywordCombinations", "Please enter some keywords first.")}};
    combined.finalList = combine(patterns, combined.keywords);
    if (patterns.isEmpty())
        combined.note =
            Message{title, QCoreApplication::translate("KeywordCombinations",
                                                       "No combination patterns were found in lstcombinations.txt.")};
    return combined;
}

QString summaryLine(qsizetype articles, qsizetype filenames)
{
    return QCoreApplication::translate("KeywordCombinations", "Articles to Create: %1  - Filenames: %2")
        .arg(articles)
        .arg(filenames);
}

} // namespace KeywordCombinations
