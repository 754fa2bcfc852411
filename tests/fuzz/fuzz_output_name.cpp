// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzInput.h"
#include "core/PdfNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzText(data, size);
    for (const QChar separator : {QChar(u'\\'), QChar(u'/')}) {
        const QString name = PdfNames::articleOutputName(path, separator);
        FUZZ_CHECK(name.endsWith(".txt"));
        FUZZ_CHECK(name.count(u'.') == 1);
        FUZZ_CHECK(!name.contains(u'_') && !name.contains(u' ') && !name.contains(separator));
    }
    return 0;
}
