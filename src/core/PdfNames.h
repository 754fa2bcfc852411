#pragma once

#include <QString>

// The base name under which an article's page and PDF are written: the file name after the last separator, cut
// at its first ".", with "_" and blanks turned into "-", and ".txt" appended. The result holds exactly one ".".
QString ArticleOutputName(const QString& path, QChar separator);
