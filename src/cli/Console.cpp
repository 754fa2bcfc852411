// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Console.h"

#include "core/ArticleFolder.h"
#include "core/Platform.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
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

int refuse(const QString& text, bool json)
{
    error(text);
    if (json)
        output(QJsonDocument(QJsonObject{{"error", text}, {"exitCode", BadUsage}}).toJson());
    return BadUsage;
}

bool errorIsTerminal()
{
    return isatty(2);
}

void output(const QByteArray& bytes)
{
#ifdef Q_OS_WIN
    // Written as they are: a generated article has Windows' line endings already, which text mode would double.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

QString unusable(const QString& what, const QString& path, const QString& wanted)
{
    const QString kind = Platform::entryKind(path);
    return kind.isEmpty() ? tr("%1 %2 does not exist.").arg(what, path)
                          : tr("%1 %2 is %3, not %4.").arg(what, path, kind, wanted);
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
        return Error{unusable(tr("The application folder"), folder, tr("a folder"))};
    return AppFolders::detect(folder, Platform::separator());
}

} // namespace Console
