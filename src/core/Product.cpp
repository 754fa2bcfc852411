#include "core/Product.h"

#include <QCoreApplication>

namespace Product {

namespace {
const QString Name = QStringLiteral("Leafrunner");
const QString Suffix = QStringLiteral(" Pro");
const QString Version = QStringLiteral("2.2");
const QString WebAddress = QStringLiteral("www.leafrunner.example");
} // namespace

QString label()
{
    return Name + Suffix;
}

QString version()
{
    return Version;
}

QString byline()
{
    return QCoreApplication::translate("Product", "by %1").arg(WebAddress);
}

QString windowTitle()
{
    return label() + ' ' + Version + ' ' + byline();
}

QString creator()
{
    return Name + ' ' + Version;
}

} // namespace Product
