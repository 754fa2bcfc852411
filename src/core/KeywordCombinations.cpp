#include "core/KeywordCombinations.h"

#include "core/vParser.h"
#include "core/vTools.h"

namespace KeywordCombinations {

QStringList Lines(const QString& text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), LineBreak).replace(u'\r', LineBreak);
    QStringList lines;
    vTools::SplitToList(normalised, LineBreak, lines);
    return lines;
}

QString Combine(const QStringList& patterns, const QStringList& keywords)
{
    QString result;
    for (const QString& pattern : patterns.isEmpty() ? QStringList{Placeholder} : patterns) {
        for (const QString& keyword : keywords)
            result += vParser::Replace(pattern, Placeholder, keyword) + LineBreak;
    }
    return result;
}

QString SummaryLine(qsizetype articles, qsizetype filenames)
{
    return QStringLiteral("Articles to Create: %1  - Filenames: %2").arg(articles).arg(filenames);
}

} // namespace KeywordCombinations
