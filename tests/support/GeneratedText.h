#pragma once

#include "core/RandomText.h"

#include <QRegularExpression>

// True when text is exactly `paragraphs` generated paragraphs: five sentences of one word from each list in turn, a
// keyword after the fourth word of the fourth sentence when there are keywords, each paragraph ending in two
// line breaks (carriage returns as generated, line feeds as the window's text box gives them back, the system's
// line endings in a saved article).
inline bool isGeneratedText(const QString& text, const RandomText::WordLists& words, const QStringList& keywords,
                            int paragraphs, const QString& lineBreak = QStringLiteral("\r"))
{
    const auto anyOf = [](const QStringList& list) {
        QStringList escaped;
        for (const QString& item : list)
            escaped.append(QRegularExpression::escape(item));
        return "(?:" + escaped.join('|') + ") ";
    };
    QString sentence;
    QString keywordSentence;
    for (int k = 0; k < RandomText::WordListCount; ++k) {
        sentence += anyOf(words[k]);
        keywordSentence += anyOf(words[k]);
        if (k == 3 && !keywords.isEmpty())
            keywordSentence += anyOf(keywords);
    }
    sentence += "\\. ";
    keywordSentence += "\\. ";
    const QString paragraphEnd = lineBreak.repeated(2);
    const QString paragraph = sentence.repeated(3) + keywordSentence + sentence + paragraphEnd;
    const QRegularExpression pattern("\\A(?:" + paragraph + ")*\\z");
    return text.count(paragraphEnd) == paragraphs && pattern.match(text).hasMatch();
}
