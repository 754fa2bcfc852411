#pragma once

#include <QString>

// General helpers that any window may call.

// True when the file system holds an entry at path: a file, or with includeFolders also a folder.
bool FolderExists(const QString& path, bool includeFolders);

// Replace-all, left to right, without overlap; text brought in by a replacement is never searched again.
// compareMode 0 matches letter case exactly, 1 ignores it. An empty find returns the text unchanged.
QString ReplaceText(const QString& text, const QString& find, const QString& replacement, int compareMode = 0);
