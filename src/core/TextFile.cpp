#include "core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace vFile {

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

QString DecodeText(const QByteArray& bytes)
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

std::optional<QString> LoadText(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return DecodeText(bytes);
}

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> LoadList(const QString& path, QString* error)
{
    const auto text = LoadText(path, error);
    if (!text)
        return std::nullopt;
    return SplitLines(*text);
}

bool SaveText(const QString& text, const QString& path, QString* error)
{
    // The save follows a link and renames its new file over the link's target, which must not be a device.
    if (const QFileInfo existing(path); existing.exists() && !existing.isFile()) {
        if (error)
            *error = QStringLiteral("a folder or a device has that name, not a file");
        return false;
    }
    // Written beside the target and renamed over it, so a failed save leaves an existing file whole. The flush
    // comes first because commit() goes on when writing out the buffer fails, and would keep a cut-off file.
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace vFile
