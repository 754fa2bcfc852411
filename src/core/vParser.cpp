#include "core/vParser.h"

#include "core/modGeneral.h"

namespace vParser {

QString Replace(const QString& text, const QString& find, const QString& replacement, int compare)
{
    Q_UNUSED(compare)
    return ReplaceText(text, find, replacement, 0);
}

} // namespace vParser
