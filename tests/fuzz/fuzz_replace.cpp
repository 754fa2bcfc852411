#include "FuzzInput.h"
#include "core/vParser.h"
#include "core/modGeneral.h"

namespace {
// The plainest replace-all: scan left to right, skip past each match.
QString reference(const QString& text, const QString& find, const QString& replacement, Qt::CaseSensitivity cs)
{
    if (find.isEmpty())
        return text;
    QString result;
    qsizetype i = 0;
    while (i < text.size()) {
        if (QStringView(text).mid(i, find.size()).compare(find, cs) == 0 && i + find.size() <= text.size()) {
            result += replacement;
            i += find.size();
        } else {
            result += text.at(i++);
        }
    }
    return result;
}

bool isAscii(const QString& s)
{
    for (const QChar c : s)
        if (c.unicode() > 127)
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList f = fuzzFields(data, size, 3);
    const QString& text = f[0];
    const QString& find = f[1];
    const QString& replacement = f[2];
    const QString exact = ReplaceText(text, find, replacement, 0);
    FUZZ_CHECK(exact == reference(text, find, replacement, Qt::CaseSensitive));
    FUZZ_CHECK(vParser::Replace(text, find, replacement, 0) == exact);
    // Letter case folding beyond ASCII is Qt's own affair; the loop around it is ours.
    if (isAscii(text) && isAscii(find))
        FUZZ_CHECK(ReplaceText(text, find, replacement, 1) == reference(text, find, replacement, Qt::CaseInsensitive));
    return 0;
}
