#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace vTools {

// True exactly when a file (not a folder) exists at path.
bool FileExists(const QString& path);

// Appends each non-empty piece of text between separators to list, in order; the list is not cleared first.
void SplitToList(const QString& text, const QString& separator, QStringList& list);

// Puts the items into a uniformly random order.
void ShuffleList(QStringList& list, QRandomGenerator& random = *QRandomGenerator::global());

} // namespace vTools
