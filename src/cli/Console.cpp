#include "cli/Console.h"

#include "core/ArticleFolder.h"
#include "core/Platform.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

namespace Console {

QString tr(const char* text)
{
    return QCoreApplication::translate("leafrunner-cli", text);
}

void progress(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

void error(const QString& text)
{
    progress(text + '\n');
}

int refuse(const QString& text)
{
    error(text);
    return BadUsage;
}

bool errorIsTerminal()
{
    return isatty(2);
}

void output(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

QCommandLineOption appFolderOption()
{
    return {"app-folder",
            tr("The application folder: its bin folder, lstcombinations.txt and random folder are used (default: "
               "the folder of this program)."),
            "DIR"};
}

Result<AppFolders> appFolders(const QCommandLineParser& parser)
{
    if (!parser.isSet("app-folder"))
        return AppFolders::current();
    const QString folder = ArticleFolder::displayPath(parser.value("app-folder"));
    if (!QFileInfo(folder).isDir())
        return Error{tr("The application folder %1 does not exist.").arg(folder)};
    return AppFolders::detect(folder, Platform::separator());
}

} // namespace Console
