#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Text files. Reading decodes by byte-order mark (UTF-8, UTF-16 LE/BE), else as UTF-8 when the bytes are valid
// UTF-8, else as Windows-1252, the encoding of articles saved by older Windows editors. Line breaks are kept.
namespace vFile {

QString DecodeText(const QByteArray& bytes);

// The whole text of the file, or nothing when it cannot be read (the reason in *error).
std::optional<QString> LoadText(const QString& path, QString* error = nullptr);

// One item per line, split on CR LF, LF or CR; only the empty piece after a final line break is dropped.
std::optional<QStringList> LoadList(const QString& path, QString* error = nullptr);
QStringList SplitLines(const QString& text);

// Creates or replaces the file with the text as UTF-8 without a byte-order mark; a folder or device of that name is
// left alone. False when it failed.
bool SaveText(const QString& text, const QString& path, QString* error = nullptr);

} // namespace vFile
