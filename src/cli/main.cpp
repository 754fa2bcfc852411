// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Console.h"
#include "cli/GenerateCommand.h"
#include "cli/MakeCommand.h"
#include "core/Product.h"

#include <QCommandLineParser>
#include <QCoreApplication>

using namespace Console;

namespace {

const QString Make = QStringLiteral("make");
const QString Generate = QStringLiteral("generate");

void describe(const QString& command, QCommandLineParser& parser)
{
    if (command == Make)
        MakeCommand::describe(parser);
    else
        GenerateCommand::describe(parser);
}

// One text for every command: the commands, each one's options from its parser, and the exit codes.
QString helpText()
{
    QString text = Product::windowTitle() + "\n\n" +
                   tr("Makes the same PDFs as the Leafrunner window, without a window.") + "\n\n";
    const QString usages[] = {tr("leafrunner-cli make [options] ARTICLE|FOLDER..."),
                              tr("leafrunner-cli generate --pages N [options]")};
    for (const QString& command : {Make, Generate}) {
        QCommandLineParser parser;
        describe(command, parser);
        // The parser's own usage line names neither the command nor where its options go.
        const QString options = parser.helpText();
        text += tr("Usage: %1").arg(usages[command == Make ? 0 : 1]) + options.mid(options.indexOf('\n')) + '\n';
    }
    return text + tr("Other options:\n"
                     "  -h, --help     This help (after a command too).\n"
                     "  -v, --version  The program's name, version and licence.\n"
                     "  --             Every argument after it is an article or folder, even one that starts\n"
                     "                 with \"-\".\n"
                     "\n"
                     "Exit codes:\n"
                     "  0    Every PDF was made, skipped ones aside (generate: the text was written).\n"
                     "  1    Conversions ran and some PDFs were not made (a single PDF whose conversion failed,\n"
                     "       too); the others are kept.\n"
                     "  2    A fault found before the first conversion started, so nothing was made: bad usage, a\n"
                     "       Create check failed, an article, folder or file cannot be used, no PDF name can be\n"
                     "       used, articles share PDF names without --allow-same-name, PDFs are already there\n"
                     "       with --existing fail, or the application folder cannot be (no converter, a converter\n"
                     "       that cannot be started, an output folder that takes no files, ...). The message says\n"
                     "       which; with --json it is the document's \"error\".\n"
                     "  129  Stopped by SIGHUP (the terminal was closed), as by SIGTERM.\n"
                     "  130  Stopped by Ctrl+C or SIGTERM: the running converters were ended and no half-written\n"
                     "       PDF is left.\n");
}

int version()
{
    output(Product::versionText().toLocal8Bit());
    return Success;
}

// An unknown option that looks like a file's name ("-dash.txt") is an article meant to go after "--".
QString usageHint(const QCommandLineParser& parser)
{
    for (const QString& name : parser.unknownOptionNames()) {
        if (name.contains(u'.') || name.contains(u'/'))
            return tr("An article or folder whose name starts with \"-\" goes after \"--\": make [options] -- -%1")
                .arg(name);
    }
    return tr("leafrunner-cli --help tells more.");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("leafrunner-cli"));
    QCoreApplication::setApplicationVersion(Product::version());

    QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.value(1);
    if (command == u"-h" || command == u"--help" || command == u"help") {
        output(helpText().toLocal8Bit());
        return Success;
    }
    // Before "--" only: after it "--json" is an article's name.
    const bool json = command == Make && arguments.mid(0, arguments.indexOf("--")).contains("--json");
    if (command == u"-v" || command == u"--version")
        return version();
    if (command != Make && command != Generate)
        return refuse((command.isEmpty() ? tr("Name a command: make or generate.")
                                         : tr("Unknown command \"%1\": make or generate.").arg(command)) +
                      '\n' + tr("leafrunner-cli --help tells more."));

    QCommandLineParser parser;
    describe(command, parser);
    const QCommandLineOption help({"h", "help"}, {});
    const QCommandLineOption versionOption({"v", "version"}, {});
    parser.addOptions({help, versionOption});
    // "-dash.txt" is one unknown option, not seven.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    arguments.removeAt(1);
    if (!parser.parse(arguments))
        return refuse(parser.errorText() + '\n' + usageHint(parser), json);
    if (parser.isSet(help)) {
        output(helpText().toLocal8Bit());
        return Success;
    }
    if (parser.isSet(versionOption))
        return version();
    return command == Make ? MakeCommand::run(parser) : GenerateCommand::run(parser);
}
