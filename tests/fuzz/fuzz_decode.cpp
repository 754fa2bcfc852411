#include "FuzzInput.h"
#include "core/TextFile.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = TextFile::decode(bytes);
    const bool bom = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!bom) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString asUtf8 = utf8.decode(bytes); // the decoder works only when its result is taken
        // Valid UTF-8 comes back byte for byte; anything else is read one character per byte.
        if (!utf8.hasError())
            FUZZ_CHECK(text == asUtf8 && text.toUtf8() == bytes);
        else
            FUZZ_CHECK(text.size() == bytes.size());
    }
    FUZZ_CHECK(TextFile::splitLines(text).join(QString()).size() <= text.size());
    return 0;
}
