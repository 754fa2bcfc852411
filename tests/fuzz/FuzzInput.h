// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <cstdint>

// Splits a fuzzer's bytes into UTF-8 fields at NUL bytes, so one input feeds several arguments.
inline QStringList fuzzFields(const uint8_t* data, size_t size, int count)
{
    QStringList fields = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(QChar(0));
    while (fields.size() < count)
        fields.append(QString());
    return fields;
}

// Stops the run with the input saved when a property does not hold.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            __builtin_trap();                                                                                          \
    } while (false)
