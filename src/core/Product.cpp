#include "core/Product.h"

#include "core/AppFolders.h"
#include "core/TextFile.h"
#include "core/vTools.h"
#include "core/modGeneral.h"

#include <QDir>

namespace Startup {

namespace {
const QString ProductName = QStringLiteral("Leafrunner");
const QString ProductSuffix = QStringLiteral(" Pro");
const QString Version = QStringLiteral("2.2");
const QString WebAddress = QStringLiteral("www.leafrunner.example");
} // namespace

QString ProductLabel()
{
    return ProductName + ProductSuffix;
}

QString Byline()
{
    return "by " + WebAddress;
}

QString WindowTitle()
{
    return ProductLabel() + ' ' + Version + ' ' + Byline();
}

QStringList KeywordCombinations(const AppFolders& folders)
{
    const QString path = folders.keywordList();
    if (!vTools::FileExists(path))
        return {};
    return vFile::LoadList(path).value_or(QStringList());
}

bool EnsureOutputFolder(const AppFolders& folders)
{
    const QString output = folders.output();
    if (FolderExists(output, true))
        return true;
    // mkdir, not mkpath: a missing bin folder means the program is not installed here, not a folder to invent.
    return QDir().mkdir(output);
}

} // namespace Startup
