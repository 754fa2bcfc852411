#include "core/modUTF8.h"

#include <QFile>

namespace {
bool fail(const QFile& file, QString* error)
{
    if (error)
        *error = file.errorString();
    return false;
}
} // namespace

std::unique_ptr<QFile> OpenForAppend(const QString& path, QString* error)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) {
        fail(*file, error);
        return nullptr;
    }
    return file;
}

bool WriteUtf8(QFile& file, const QString& text, bool lineBreak, QString* error)
{
    QByteArray bytes = text.toUtf8();
    if (lineBreak)
        bytes += "\r\n";
    if (bytes.isEmpty())
        return true;
    // Flushing here makes a full disk show up at the write that met it.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return fail(file, error);
    return true;
}

bool CloseFile(QFile& file, QString* error)
{
    const bool flushed = file.flush();
    file.close();
    if (!flushed || file.error() != QFileDevice::NoError)
        return fail(file, error);
    return true;
}
