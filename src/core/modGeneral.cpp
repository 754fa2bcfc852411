#include "core/modGeneral.h"

#include <QFileInfo>

bool FolderExists(const QString& path, bool includeFolders)
{
    const QFileInfo info(path);
    return info.exists() && (includeFolders || !info.isDir());
}

QString ReplaceText(const QString& text, const QString& find, const QString& replacement, int compareMode)
{
    if (find.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = compareMode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    QString result;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(find, 0, cs); at >= 0; at = text.indexOf(find, from, cs)) {
        result += QStringView(text).mid(from, at - from);
        result += replacement;
        from = at + find.size();
    }
    result += QStringView(text).mid(from);
    return result;
}
