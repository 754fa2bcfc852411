// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <memory>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace Platform {

#ifdef Q_OS_WIN
namespace {
// The job that holds a converter's process and all it starts. The system closes it when the program ends, however
// it ends, and so does the process's end here; either way that ends all in it.
struct ProcessJob {
    HANDLE handle = nullptr;
    ~ProcessJob()
    {
        if (handle)
            CloseHandle(handle);
    }
};
const char* const jobProperty = "leafProcessJob";
} // namespace
#endif

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

QString settingsFolder()
{
#ifdef Q_OS_WIN
    // QStandardPaths has the local, not the roaming, application data folder.
    PWSTR path = nullptr;
    QString folder;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY, nullptr, &path) == S_OK)
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    return folder;
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
}

void leadOwnProcessGroup(QProcess& process)
{
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* arguments) { arguments->flags |= CREATE_NEW_PROCESS_GROUP; });
    // Started and then put in the job, a process could start another before; the converter does not do so at once.
    QObject::connect(&process, &QProcess::started, &process, [&process, job = std::make_shared<ProcessJob>()] {
        if (job->handle)
            CloseHandle(job->handle);
        job->handle = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        const HANDLE child = OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, DWORD(process.processId()));
        if (job->handle && child) {
            SetInformationJobObject(job->handle, JobObjectExtendedLimitInformation, &limits, sizeof limits);
            AssignProcessToJobObject(job->handle, child);
        }
        if (child)
            CloseHandle(child);
        process.setProperty(jobProperty, quintptr(job->handle));
    });
#else
    process.setChildProcessModifier([] {
        ::setpgid(0, 0);
#ifdef Q_OS_LINUX
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    });
#endif
}

void killProcessGroup(QProcess& process)
{
#ifdef Q_OS_WIN
    if (const auto job = HANDLE(process.property(jobProperty).value<quintptr>()))
        TerminateJobObject(job, 1);
#else
    if (const qint64 pid = process.processId(); pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
#endif
    process.kill();
}

void reapProcessGroup(QProcess* process)
{
    process->disconnect();
    process->setParent(nullptr);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    killProcessGroup(*process);
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
