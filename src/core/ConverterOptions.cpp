// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ConverterOptions.h"

#include <QCoreApplication>

#include <array>
#include <cmath>

namespace {
struct PageSize {
    const char* name;
    double width; // portrait, in millimetres
    double height;
};

constexpr std::array<PageSize, 4> pageSizes = {{
    {"A4", 210.0, 297.0},
    {"Letter", 215.9, 279.4},
    {"Legal", 215.9, 355.6},
    {"A5", 148.0, 210.0},
}};

// The converter's own margin on every side.
constexpr double defaultMargin = 10.0;

struct Margin {
    std::optional<double> ConverterOptions::*value;
    const char* option;
    const char* name;
};

constexpr std::array<Margin, 4> margins = {{
    {&ConverterOptions::marginTop, "-T", QT_TRANSLATE_NOOP("ConverterOptions", "The top margin")},
    {&ConverterOptions::marginRight, "-R", QT_TRANSLATE_NOOP("ConverterOptions", "The right margin")},
    {&ConverterOptions::marginBottom, "-B", QT_TRANSLATE_NOOP("ConverterOptions", "The bottom margin")},
    {&ConverterOptions::marginLeft, "-L", QT_TRANSLATE_NOOP("ConverterOptions", "The left margin")},
}};

const PageSize* findPageSize(const QString& name)
{
    for (const PageSize& size : pageSizes) {
        if (name.compare(QLatin1String(size.name), Qt::CaseInsensitive) == 0)
            return &size;
    }
    return nullptr;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("ConverterOptions", text);
}
} // namespace

QStringList ConverterOptions::pageSizeNames()
{
    QStringList names;
    for (const PageSize& size : pageSizes)
        names << QLatin1String(size.name);
    return names;
}

Result<> ConverterOptions::check() const
{
    const PageSize* size = findPageSize(pageSize);
    if (!size)
        return Error{tr("The page size \"%1\" is not known. Choose one of: %2.")
                         .arg(pageSize, pageSizeNames().join(QStringLiteral(", ")))};

    for (const Margin& margin : margins) {
        const std::optional<double>& value = this->*margin.value;
        if (value && !(std::isfinite(*value) && *value >= 0))
            return Error{tr("%1 must be a number of millimetres, 0 or more.").arg(tr(margin.name))};
    }

    const bool landscape = orientation == Orientation::Landscape;
    const double width = landscape ? size->height : size->width;
    const double height = landscape ? size->width : size->height;
    if (marginTop.value_or(defaultMargin) + marginBottom.value_or(defaultMargin) > height / 2)
        return Error{tr("The top and bottom margins together may take at most half of the page's height, %1 mm.")
                         .arg(height / 2)};
    if (marginLeft.value_or(defaultMargin) + marginRight.value_or(defaultMargin) > width / 2)
        return Error{
            tr("The left and right margins together may take at most half of the page's width, %1 mm.").arg(width / 2)};
    return Result<>::ok();
}

QStringList ConverterOptions::arguments(const QString& pageFolder) const
{
    // A size not offered goes as given, so that the converter refuses it rather than making another size.
    const PageSize* size = findPageSize(pageSize);
    QStringList arguments{QStringLiteral("--page-size"), size ? QString(QLatin1String(size->name)) : pageSize,
                          QStringLiteral("--orientation"),
                          orientation == Orientation::Landscape ? QStringLiteral("Landscape")
                                                                : QStringLiteral("Portrait")};
    for (const Margin& margin : margins) {
        if (const std::optional<double>& value = this->*margin.value)
            arguments << QLatin1String(margin.option) << QString::number(*value, 'f', 2) + QStringLiteral("mm");
    }
    // Without scripts there is nothing to wait for: by default the converter waits 200 ms on every page.
    if (!allowScripts)
        arguments << QStringLiteral("--disable-javascript") << QStringLiteral("--javascript-delay")
                  << QStringLiteral("0");
    // Without --enable-local-file-access the converter reads no local file but the page itself and those under
    // the folders it is allowed.
    return arguments << QStringLiteral("--allow") << pageFolder;
}
