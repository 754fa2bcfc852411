// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// One line of arguments as a converter kept running reads them after --read-args-from-stdin: each argument in
// double quotes, a double quote or backslash in it escaped with a backslash, in UTF-8, ended by a line break.
// Nothing when an argument cannot be carried: a line break in it, or letters the platform's line cannot carry
// (Platform::converterLineCarries); such a page needs a converter process of its own.
std::optional<QByteArray> converterArgumentsLine(const QStringList& arguments);
