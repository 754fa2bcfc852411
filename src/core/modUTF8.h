#pragma once

#include <QString>

#include <memory>

class QFile;

// Writing text to files as UTF-8, without a byte-order mark. A file that cannot be opened or written is an
// error the caller sees (a null file or false, with the reason in *error), never a crash.

// Opens path for writing at its end; creates the file when missing and keeps what it holds.
std::unique_ptr<QFile> OpenForAppend(const QString& path, QString* error = nullptr);

// Writes the UTF-8 bytes of text, followed by CR LF when lineBreak is set, at the file's end.
bool WriteUtf8(QFile& file, const QString& text, bool lineBreak, QString* error = nullptr);

// Closes the file and reports whether everything written reached it.
bool CloseFile(QFile& file, QString* error = nullptr);
