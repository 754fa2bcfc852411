#include "GeneratedArticle.h"

#include "main_window/AppFolders.h"
#include "modules/Platform.h"

namespace GeneratedArticle {

Problem Check(const QString& text, const QString& name)
{
    if (text.isEmpty())
        return Problem::NothingToSave;
    if (name.isEmpty())
        return Problem::NoName;
    // A separator would put the file outside the browsed folder; the other characters Windows refuses.
    if (!Platform::isValidFileName(name))
        return Problem::InvalidName;
    return Problem::None;
}

QString Path(const QString& folder, const QString& name, QChar separator)
{
    return AppFolders::join(folder, name + ".txt", separator);
}

} // namespace GeneratedArticle
