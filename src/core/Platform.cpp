#include "core/Platform.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace Platform {

QChar separator()
{
    return QDir::separator();
}

Qt::CaseSensitivity fileNameCase()
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

QString fileNameKey(const QString& name)
{
    return fileNameCase() == Qt::CaseInsensitive ? name.toCaseFolded() : name;
}

QString lineEnding()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\r\n");
#else
    return QStringLiteral("\n");
#endif
}

QString converterFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("wkhtmltopdf.exe");
#else
    return QStringLiteral("wkhtmltopdf");
#endif
}

QString imageToolFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("wkhtmltoimage.exe");
#else
    return QStringLiteral("wkhtmltoimage");
#endif
}

bool converterLineCarries(const QString& text)
{
#ifdef Q_OS_WIN
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
#else
    Q_UNUSED(text);
    return true;
#endif
}

qint64 availableMemory()
{
#if defined(Q_OS_LINUX)
    QFile info(QStringLiteral("/proc/meminfo"));
    if (!info.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : info.readAll().split('\n')) {
        if (line.startsWith("MemAvailable:"))
            return line.mid(13).simplified().split(' ').value(0).toLongLong() * 1024;
    }
#elif defined(Q_OS_WIN)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status))
        return qint64(status.ullAvailPhys);
#endif
    return 0;
}

} // namespace Platform
