#include "core/vTools.h"

#include "core/modGeneral.h"

namespace vTools {

bool FileExists(const QString& path)
{
    return FolderExists(path, false);
}

void SplitToList(const QString& text, const QString& separator, QStringList& list)
{
    const QStringList pieces = text.split(separator, Qt::SkipEmptyParts);
    list.append(pieces);
}

void ShuffleList(QStringList& list, QRandomGenerator& random)
{
    for (qsizetype i = list.size() - 1; i > 0; --i)
        list.swapItemsAt(i, random.bounded(i + 1));
}

} // namespace vTools
