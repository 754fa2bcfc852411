// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

// Makes a file or folder unchangeable for as long as this object lives, for root too, whom permissions do not
// stop: the file system's immutable flag. isSet() is false where the flag cannot be set (no chattr, a file system
// without the flag, no privilege to set it).
class ImmutablePath
{
public:
    explicit ImmutablePath(const QString& path)
        : m_path(path)
        , m_set(chattr("+i"))
    {}
    // The temporary folder that holds the path can only be removed once the flag is off again.
    ~ImmutablePath()
    {
        if (m_set)
            chattr("-i");
    }
    Q_DISABLE_COPY(ImmutablePath)

    bool isSet() const { return m_set; }

private:
    bool chattr(const char* flag) const
    {
        QProcess process;
        process.start("chattr", {flag, m_path});
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QString m_path;
    bool m_set;
};
