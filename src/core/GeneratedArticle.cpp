#include "core/GeneratedArticle.h"

#include "core/AppFolders.h"
#include "core/FileNames.h"

#include <QCoreApplication>

namespace GeneratedArticle {

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("GeneratedArticle", text);
}
} // namespace

Result<void, Message> check(const QString& text, const QString& name)
{
    if (text.isEmpty())
        return Error{Message{tr("Missing Info"), tr("There's nothing to save. Please generate some content first.")}};
    if (name.isEmpty())
        return Error{Message{tr("Missing Info"), tr("Please enter a name for the file.")}};
    if (const Result<> checked = FileNames::check(fileName(name)); !checked)
        return Error{Message{tr("Error"), checked.error()}};
    return Result<void, Message>::ok();
}

QString fileName(const QString& name)
{
    return name + ".txt";
}

QString path(const QString& folder, const QString& name, QChar separator)
{
    return AppFolders::join(folder, fileName(name), separator);
}

} // namespace GeneratedArticle
