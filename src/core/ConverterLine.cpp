// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ConverterLine.h"

#include "core/Platform.h"

std::optional<QByteArray> converterArgumentsLine(const QStringList& arguments)
{
    QStringList quoted;
    for (const QString& argument : arguments) {
        // The converter reads up to the line end and has no escape for one.
        if (argument.contains(u'\n') || argument.contains(u'\r') || !Platform::converterLineCarries(argument))
            return std::nullopt;
        QString escaped = argument;
        escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
        quoted << u'"' + escaped + u'"';
    }
    return quoted.join(u' ').toUtf8() + '\n';
}
