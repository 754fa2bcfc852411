// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzInput.h"
#include "core/TextFile.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = TextFile::decode(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes); // the decoder tells of errors only once its result is taken
    // Without a byte-order mark, valid UTF-8 comes back byte for byte, anything else one character per byte.
    if (!bytes.startsWith("\xEF\xBB\xBF") && !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF"))
        FUZZ_CHECK(utf8.hasError() ? text.size() == bytes.size() : text == asUtf8 && text.toUtf8() == bytes);
    FUZZ_CHECK(TextFile::splitLines(text).join(QString()).size() <= text.size());
    return 0;
}
