#include "core/Platform.h"

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

QString imageToolFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("wkhtmltoimage.exe");
#else
    return QStringLiteral("wkhtmltoimage");
#endif
}

} // namespace Platform
