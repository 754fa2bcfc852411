// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

// How the converter lays out a page and what the page may load. The defaults are the converter's own: A4,
// portrait, and the converter's margins wherever a margin is left unset.
struct ConverterOptions {
    enum class Orientation { Portrait, Landscape };

    QString pageSize = QStringLiteral("A4"); // one of pageSizeNames(), in any letter case
    Orientation orientation = Orientation::Portrait;
    // In millimetres.
    std::optional<double> marginTop;
    std::optional<double> marginRight;
    std::optional<double> marginBottom;
    std::optional<double> marginLeft;
    // "Allow scripts in pages": the pages need none, and an article's HTML is not to be trusted.
    bool allowScripts = false;

    // "A4", "Letter", "Legal", "A5"
    static QStringList pageSizeNames();

    // Fails, saying why, for a page size not offered, a margin that is negative or not a number, or margins that
    // take more than half of the page's width or height.
    Result<> check() const;

    // The converter's options, which go before the page and the PDF (or before --read-args-from-stdin, for every
    // page a converter kept running is given): the page layout, scripts off (and no wait for them) unless allowed,
    // and of the local files only those in the page folder readable, so that the page template's scripts and images
    // load and an article cannot show any other file of the machine.
    QStringList arguments(const QString& pageFolder) const;
};
