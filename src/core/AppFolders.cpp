#include "core/AppFolders.h"

#include "core/PdfNames.h"
#include "core/Platform.h"
#include "core/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

AppFolders::AppFolders(const QString& applicationFolder, QChar separator)
    : m_app(applicationFolder)
    , m_sep(separator)
{}

AppFolders AppFolders::current()
{
    return AppFolders(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()), Platform::separator());
}

QString AppFolders::join(const QString& folder, const QString& name, QChar separator)
{
    const QString sep(separator);
    return QString(folder + sep + name).replace(sep + sep, sep);
}

QString AppFolders::under(const QStringList& pieces) const
{
    return join(m_app, pieces.join(m_sep), m_sep);
}

QString AppFolders::bin() const
{
    return under({"bin"});
}

QString AppFolders::pageTemplate() const
{
    return under({"bin", PdfNames::PageTemplateName});
}

QString AppFolders::converter() const
{
    return under({"bin", Platform::converterFileName()});
}

QString AppFolders::imageTool() const
{
    return under({"bin", Platform::imageToolFileName()});
}

QString AppFolders::output() const
{
    return under({"bin", "output"});
}

QString AppFolders::keywordList() const
{
    return under({"lstcombinations.txt"});
}

QString AppFolders::random() const
{
    return under({"random"});
}

QString AppFolders::wordFile(int number) const
{
    return under({"random", QString::number(number) + ".txt"});
}

QString AppFolders::pageFile(const QString& pageName) const
{
    return under({"bin", pageName});
}

QString AppFolders::pdfFile(const QString& pdfName) const
{
    return under({"bin", "output", pdfName});
}

QStringList AppFolders::keywordPatterns() const
{
    const Result<QStringList> lines = TextFile::loadList(keywordList());
    return lines ? *lines : QStringList();
}

bool AppFolders::ensureOutput() const
{
    if (QFileInfo::exists(output()))
        return true;
    // mkdir, not mkpath: a missing bin folder means the program is not installed here, not a folder to invent.
    return QDir().mkdir(output());
}
