// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/GenerateCommand.h"

#include "cli/Console.h"
#include "core/GeneratedArticle.h"
#include "core/RandomText.h"
#include "core/TextFile.h"

#include <QCommandLineParser>
#include <QFileInfo>

using namespace Console;

namespace GenerateCommand {

void describe(QCommandLineParser& parser)
{
    parser.addOptions({
        {"pages",
         tr("The page count as the generator window takes it: a whole number from -32768 to 32767; pages "
            "0 to N are written, so N + 1 pages."),
         "N"},
        {"keywords", tr("Keywords to put into the text, separated by commas or line breaks, each as it stands."),
         "WORDS"},
        {"out",
         tr("Save the text as FILE instead of writing it on standard output. An existing FILE is replaced, "
            "and only once the new text is written whole."),
         "FILE"},
        appFolderOption(),
    });
}

int run(const QCommandLineParser& parser)
{
    if (!parser.positionalArguments().isEmpty())
        return refuse(tr("generate takes no arguments: \"%1\".").arg(parser.positionalArguments().first()));
    if (!parser.isSet("pages"))
        return refuse(tr("generate needs --pages N."));
    const Result<int> lastPage = RandomText::parsePageCount(parser.value("pages"));
    if (!lastPage)
        return refuse(lastPage.error());
    const Result<AppFolders> folders = appFolders(parser);
    if (!folders)
        return refuse(folders.error());
    const RandomText::WordLists words = RandomText::loadWordLists(*folders);
    if (const QString missing = RandomText::missingWords(words, *folders); !missing.isEmpty())
        return refuse(missing);

    const QStringList keywords =
        TextFile::splitLines(parser.value("keywords").replace(u',', u'\n'), TextFile::EmptyLines::Skip);
    RandomText pages(*lastPage, words, keywords, *QRandomGenerator::global());
    QString text;
    while (!pages.atEnd())
        text += pages.nextPage();
    text = GeneratedArticle::fileText(text);
    if (!parser.isSet("out")) {
        output(text.toUtf8());
        return Success;
    }

    const QString path = parser.value("out");
    if (const Result<void, Message> checked = GeneratedArticle::checkFile(text, QFileInfo(path).fileName()); !checked)
        return refuse(checked.error().text);
    if (const Result<> saved = TextFile::save(text, path); !saved)
        return refuse(tr("The file \"%1\" could not be saved: %2").arg(path, saved.error()));
    return Success;
}

} // namespace GenerateCommand
