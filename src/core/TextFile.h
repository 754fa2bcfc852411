// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QFile;

// Text files. Reading decodes by byte-order mark (UTF-8, UTF-16 LE/BE), else as UTF-8 when the bytes are valid
// UTF-8, else as Windows-1252, the encoding of articles saved by older Windows editors. Line breaks are kept.
// Writing is UTF-8 without a byte-order mark.
namespace TextFile {

QString decode(const QByteArray& bytes);

// The whole text of the file, or why it cannot be read.
Result<QString> load(const QString& path);

enum class EmptyLines { Keep, Skip };
// The lines of text, split at CR LF, LF or CR. Keep drops only the empty piece after a final line break; Skip
// drops every empty line.
QStringList splitLines(const QString& text, EmptyLines empty = EmptyLines::Keep);

// Each line ending of text (CR LF, CR or LF) replaced by lineBreak.
QString replaceLineBreaks(const QString& text, const QString& lineBreak);

// The lines of the file, empty lines kept.
Result<QStringList> loadList(const QString& path);

// Creates or replaces the file with the text; a folder or device of that name is left alone. The text goes to a
// temporary file beside it first, so a failed save leaves an existing file whole.
Result<> save(const QString& text, const QString& path);

// A file written piece by piece, so that a large text is never held whole: an existing file of that name is
// replaced, each write reaches the file at once (a full disk shows up at the write that met it).
class Writer
{
public:
    Writer();
    ~Writer();
    Result<> open(const QString& path);
    Result<> write(const QString& text);
    // Reports whether everything written reached the file.
    Result<> close();

private:
    // The file's error, saying so when the disk is full.
    QString writeError() const;

    std::unique_ptr<QFile> m_file;
};

} // namespace TextFile
