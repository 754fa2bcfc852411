#include "ImmutablePath.h"

#include <QProcess>

namespace {
bool chattr(const char* flag, const QString& path)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start("chattr", {flag, path});
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
} // namespace

ImmutablePath::ImmutablePath(const QString& path)
    : m_path(path)
    , m_set(chattr("+i", path))
{}

ImmutablePath::~ImmutablePath()
{
    // The temporary folder that holds the path can only be removed once the flag is off again.
    if (m_set)
        chattr("-i", m_path);
}
