// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GeneratedArticle.h"

#include "core/AppFolders.h"
#include "core/FileNames.h"
#include "core/Platform.h"
#include "core/TextFile.h"

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
    if (!text.isEmpty() && name.isEmpty())
        return Error{Message{tr("Missing Info"), tr("Please enter a name for the file.")}};
    return checkFile(text, fileName(name));
}

Result<void, Message> checkFile(const QString& text, const QString& fileName)
{
    if (text.isEmpty())
        return Error{Message{tr("Missing Info"), tr("There's nothing to save. Please generate some content first.")}};
    if (const Result<> checked = FileNames::check(fileName); !checked)
        return Error{Message{tr("Error"), checked.error()}};
    return Result<void, Message>::ok();
}

QString fileText(const QString& text)
{
    return TextFile::replaceLineBreaks(text, Platform::lineEnding());
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
