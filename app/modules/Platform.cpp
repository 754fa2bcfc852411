#include "Platform.h"

#include <QDir>

namespace Platform {

QChar separator()
{
    return QDir::separator();
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

bool isValidFileName(const QString& name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 32)
            return false;
    }
    return true;
}

} // namespace Platform
