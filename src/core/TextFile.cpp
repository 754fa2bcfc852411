// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFile.h"

#include "core/Platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace TextFile {

namespace {

// Windows-1252 agrees with Latin-1 except in 0x80..0x9F; the five unassigned bytes map to themselves.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

QString decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeWith(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    if (bytes.startsWith("\xFF\xFE"))
        return decodeWith(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return decodeWith(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? decodeWindows1252(bytes) : text;
}

Result<QString> load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error{file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Error{file.errorString()};
    return decode(bytes);
}

QStringList splitLines(const QString& text, EmptyLines empty)
{
    QStringList lines;
    const auto add = [&](qsizetype start, qsizetype end) {
        if (end > start || empty == EmptyLines::Keep)
            lines.append(text.mid(start, end - start));
    };
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        add(start, i);
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        add(start, n);
    return lines;
}

QString replaceLineBreaks(const QString& text, const QString& lineBreak)
{
    // Text comes from Windows (CR LF), old Mac (CR) and Linux or Mac editors (LF) alike.
    QString replaced = text;
    replaced.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return replaced.replace(u'\n', lineBreak);
}

Result<QStringList> loadList(const QString& path)
{
    const Result<QString> text = load(path);
    if (!text)
        return Error{text.error()};
    return splitLines(*text);
}

Result<> save(const QString& text, const QString& path)
{
    // The save follows a link and renames its new file over the link's target, which must not be a device.
    if (const QFileInfo existing(path); existing.exists() && !existing.isFile())
        return Error{"a folder or a device has that name, not a file"};
    // The flush comes first because commit() goes on when writing out the buffer fails, and would keep a cut-off
    // file.
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return Error{file.errorString()};
    return Result<>::ok();
}

QString Writer::writeError() const
{
    if (Platform::diskFull(m_file->fileName()))
        return QCoreApplication::translate("TextFile", "the disk is full: %1").arg(m_file->errorString());
    return m_file->errorString();
}

Writer::Writer() = default;
Writer::~Writer() = default;

Result<> Writer::open(const QString& path)
{
    // Only a file is removed; a device of that name is written to, never deleted.
    QFile existing(path);
    if (QFileInfo(path).isFile() && !existing.remove())
        return Error{existing.errorString()};
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: every write goes out at once anyway, and a buffer's flush cut short gives no reason.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return Error{file->errorString()};
    m_file = std::move(file);
    return Result<>::ok();
}

Result<> Writer::write(const QString& text)
{
    if (!m_file)
        return Error{"the file is not open"};
    const QByteArray bytes = text.toUtf8();
    // A write cut short says nothing; the write of the rest meets the reason.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = m_file->write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return Error{writeError()};
        done += written;
    }
    if (!m_file->flush())
        return Error{writeError()};
    return Result<>::ok();
}

Result<> Writer::close()
{
    if (!m_file)
        return Error{"the file is not open"};
    const bool flushed = m_file->flush();
    m_file->close();
    const bool failed = !flushed || m_file->error() != QFileDevice::NoError;
    const QString error = writeError();
    m_file.reset();
    if (failed)
        return Error{error};
    return Result<>::ok();
}

} // namespace TextFile
