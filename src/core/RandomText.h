// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <array>

class AppFolders;

// Filler text that makes an article longer without being meant for reading. A page is 4 paragraphs; a paragraph is
// 5 sentences followed by two carriage returns; a sentence is 5 words, word k drawn from word list k, each followed
// by a blank, then ". ". With keywords, the fourth sentence of every paragraph carries one between its fourth and
// fifth word. Words and keywords are used as they stand, and every pick is uniform and independent of the others.
class RandomText
{
public:
    static constexpr int WordListCount = 5;
    using WordLists = std::array<QStringList, WordListCount>;

    // Writes pages 0 to lastPage, that is lastPage + 1 pages, and none for a negative lastPage. Every word list
    // must hold at least one word.
    RandomText(int lastPage, const WordLists& words, const QStringList& keywords, QRandomGenerator& random);

    bool atEnd() const { return m_pagesLeft <= 0; }
    QString nextPage();

    // The words of a word file, one per line, as they stand; blank lines are skipped so that no word is empty.
    // Empty when the file is missing or cannot be read.
    static QStringList loadWords(const QString& path);
    // The lists of the random folder's word files 1 to 5.
    static WordLists loadWordLists(const AppFolders& folders);
    // Empty when every list holds a word; else the message that names the word files missing or holding none.
    static QString missingWords(const WordLists& words, const AppFolders& folders);

    // A page count typed by the user: a whole number from -32768 to 32767, blanks around it allowed.
    static Result<int> parsePageCount(const QString& text);

private:
    void pick(const QStringList& list, QString& text);

    int m_pagesLeft;
    WordLists m_words;
    QStringList m_keywords;
    QRandomGenerator& m_random;
};
