#include "core/GeneratedArticle.h"

#include "core/AppFolders.h"

namespace GeneratedArticle {

Problem Check(const QString& text, const QString& name)
{
    if (text.isEmpty())
        return Problem::NothingToSave;
    if (name.isEmpty())
        return Problem::NoName;
    return Problem::None;
}

QString FileName(const QString& name)
{
    return name + ".txt";
}

QString Path(const QString& folder, const QString& name, QChar separator)
{
    return AppFolders::join(folder, FileName(name), separator);
}

} // namespace GeneratedArticle
