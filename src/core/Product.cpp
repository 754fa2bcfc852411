// SPDX-License-Identifier: GPL-3.0-or-later
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

QString versionText()
{
    return label() + ' ' + Version + '\n' +
           QCoreApplication::translate("Product", "Copyright (C) 2024-2026 the Leafrunner developers\n"
                                                  "License GPL-3.0-or-later: GNU GPL version 3 or later "
                                                  "<https://www.gnu.org/licenses/gpl.html>.\n"
                                                  "This is free software: you are free to change and redistribute it.\n"
                                                  "There is NO WARRANTY, to the extent permitted by law.\n");
}

} // namespace Product
