// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RandomText.h"

#include "core/AppFolders.h"
#include "core/TextFile.h"

#include <QCoreApplication>

#include <algorithm>

RandomText::RandomText(int lastPage, const WordLists& words, const QStringList& keywords, QRandomGenerator& random)
    : m_pagesLeft(std::max(lastPage + 1, 0))
    , m_words(words)
    , m_keywords(keywords)
    , m_random(random)
{}

void RandomText::pick(const QStringList& list, QString& text)
{
    text += list.at(m_random.bounded(qint64(list.size())));
    text += u' ';
}

QString RandomText::nextPage()
{
    QString page;
    for (int paragraph = 0; paragraph < 4; ++paragraph) {
        for (int sentence = 0; sentence < 5; ++sentence) {
            for (int word = 0; word < WordListCount; ++word) {
                pick(m_words[word], page);
                if (word == 3 && sentence == 3 && !m_keywords.isEmpty())
                    pick(m_keywords, page);
            }
            page += u". ";
        }
        page += u"\r\r";
    }
    --m_pagesLeft;
    return page;
}

QStringList RandomText::loadWords(const QString& path)
{
    const Result<QStringList> lines = TextFile::loadList(path);
    if (!lines)
        return {};
    QStringList words = *lines;
    words.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    return words;
}

RandomText::WordLists RandomText::loadWordLists(const AppFolders& folders)
{
    WordLists words;
    for (int i = 0; i < WordListCount; ++i)
        words[i] = loadWords(folders.wordFile(i + 1));
    return words;
}

QString RandomText::missingWords(const WordLists& words, const AppFolders& folders)
{
    QStringList missing;
    for (int i = 0; i < WordListCount; ++i) {
        if (words[i].isEmpty())
            missing.append(folders.wordFile(i + 1));
    }
    if (missing.isEmpty())
        return {};
    return QCoreApplication::translate("RandomText", "Content cannot be generated: these word files are missing or "
                                                     "hold no words. Each needs one word per line.") +
           "\n\n" + missing.join('\n');
}

Result<int> RandomText::parsePageCount(const QString& text)
{
    bool ok = false;
    const short count = text.trimmed().toShort(&ok, 10);
    if (!ok)
        return Error{QCoreApplication::translate("RandomText",
                                                 "The number of pages must be a whole number from -32768 to 32767.")};
    return int(count);
}
