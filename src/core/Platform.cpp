#include "core/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
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

QString entryKind(const QString& path)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("Platform", text); };
    const QFileInfo info(path);
    if (info.isFile())
        return tr("a file");
    if (info.isDir())
        return tr("a folder");
    if (!info.exists())
        return {};
#ifndef Q_OS_WIN
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISFIFO(status.st_mode))
            return tr("a named pipe (FIFO)");
        if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
            return tr("a device");
        if (S_ISSOCK(status.st_mode))
            return tr("a socket");
    }
#endif
    return tr("not a file nor a folder");
}

bool diskFull(const QString& path)
{
    const QFileInfo file(path);
    if (const QStorageInfo volume(file.absolutePath()); volume.isValid() && volume.bytesAvailable() < 1024 * 1024)
        return true;
#ifndef Q_OS_WIN
    rlimit limit = {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        file.size() >= qint64(limit.rlim_cur))
        return true;
#endif
    return false;
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
