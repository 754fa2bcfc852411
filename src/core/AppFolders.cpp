// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppFolders.h"

#include "core/PdfNames.h"
#include "core/Platform.h"
#include "core/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

namespace {
// The page template in a folder, whatever the letter case of its name; empty when there is none.
QString templateIn(const QString& folder, QChar separator)
{
    const QString exact = AppFolders::join(folder, PdfNames::PageTemplateName, separator);
    // A broken link is there too: it is the file the user meant.
    if (const QFileInfo file(exact); file.exists() || file.isSymLink())
        return exact;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        if (PdfNames::isPageTemplate(name))
            return AppFolders::join(folder, name, separator);
    }
    return {};
}

// The copy is made under another name beside the target and renamed into place, so that a copy cut short leaves
// no half folder that would be taken for the user's own.
bool copyFolder(const QString& from, const QString& to)
{
    QTemporaryDir copy(to + "-XXXXXX");
    if (!copy.isValid())
        return false;
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = copy.filePath(QDir(from).relativeFilePath(source));
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return QDir().rename(copy.path(), to);
}

bool canWrite(const QString& folder)
{
    // isWritable alone believes the permission bits, which a read-only mount or an ACL overrule.
    QTemporaryFile probe(folder + "/XXXXXX.probe");
    return QFileInfo(folder).isWritable() && probe.open();
}
} // namespace

AppFolders::AppFolders(const QString& applicationFolder, QChar separator)
    : m_app(applicationFolder)
    , m_sep(separator)
    , m_shippedBin(under(m_app, {"bin"}))
    , m_shippedData(m_app)
    , m_pages(m_shippedBin)
    , m_output(under(m_app, {"bin", "output"}))
{}

AppFolders AppFolders::installed(const QString& applicationFolder, const QString& sharedData, const QString& userData,
                                 const QString& documents, QChar separator)
{
    AppFolders folders(applicationFolder, separator);
    if (!sharedData.isEmpty())
        folders.m_shippedBin = folders.m_shippedData = sharedData;
    folders.m_user = folders.m_pages = userData;
    QDir().mkpath(userData);
    const QString assets = join(userData, "assets", separator);
    if (!QFileInfo::exists(assets))
        copyFolder(join(folders.m_shippedBin, "assets", separator), assets);
    const QString ownDocuments = join(documents, "Leafrunner", separator);
    if (!documents.isEmpty() && QDir().mkpath(ownDocuments) && QFileInfo(ownDocuments).isWritable()) {
        folders.m_output = ownDocuments;
    } else {
        folders.m_output = join(userData, "output", separator);
        folders.m_outputInData = true;
        QDir().mkpath(folders.m_output);
    }
    return folders;
}

AppFolders AppFolders::detect(const QString& applicationFolder, QChar separator)
{
    const QString shared = QDir::toNativeSeparators(QDir::cleanPath(applicationFolder + "/../share/leafrunner"));
    const bool fromShare = QFileInfo(shared).isDir();
    if (!fromShare && canWrite(applicationFolder))
        return AppFolders(applicationFolder, separator);
    // The window's AppDataLocation, named in full so that the command line, which has another application name,
    // finds the same folder.
    const QString userData =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Leafrunner/Leafrunner";
    return installed(applicationFolder, fromShare ? shared : QString(), QDir::toNativeSeparators(userData),
                     QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
                     separator);
}

AppFolders AppFolders::current()
{
    return detect(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()), Platform::separator());
}

QString AppFolders::join(const QString& folder, const QString& name, QChar separator)
{
    const QString sep(separator);
    return QString(folder + sep + name).replace(sep + sep, sep);
}

QString AppFolders::under(const QString& folder, const QStringList& pieces) const
{
    return join(folder, pieces.join(m_sep), m_sep);
}

QString AppFolders::userFirst(const QString& folder, const QStringList& pieces) const
{
    const QString own = under(m_user, pieces);
    return isInstalled() && QFileInfo::exists(own) ? own : under(folder, pieces);
}

QString AppFolders::pageTemplate() const
{
    // A user's copy that cannot be read is still the one in use: its failure is reported, never hidden behind
    // the shipped one.
    if (const QString own = isInstalled() ? templateIn(m_user, m_sep) : QString(); !own.isEmpty())
        return own;
    const QString shipped = templateIn(m_shippedBin, m_sep);
    return shipped.isEmpty() ? under(m_shippedBin, {PdfNames::PageTemplateName}) : shipped;
}

QString AppFolders::tool(const QString& fileName) const
{
    const QString own = under(m_app, {"bin", fileName});
    if (!isInstalled() || QFileInfo(own).isFile())
        return own;
    const QString found = QStandardPaths::findExecutable(fileName);
    return found.isEmpty() ? own : QDir::toNativeSeparators(found);
}

QString AppFolders::converter() const
{
    return tool(Platform::converterFileName());
}

QString AppFolders::imageTool() const
{
    return tool(Platform::imageToolFileName());
}

QString AppFolders::keywordList() const
{
    return userFirst(m_shippedData, {"lstcombinations.txt"});
}

QString AppFolders::wordFile(int number) const
{
    return userFirst(m_shippedData, {"random", QString::number(number) + ".txt"});
}

QString AppFolders::pageFile(const QString& pageName) const
{
    return under(m_pages, {pageName});
}

QString AppFolders::pdfFile(const QString& pdfName) const
{
    return under(m_output, {pdfName});
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

Result<QString> AppFolders::editableTemplate() const
{
    if (!isInstalled())
        return pageTemplate();
    if (const QString own = templateIn(m_user, m_sep); !own.isEmpty())
        return own;
    QFile shipped(pageTemplate());
    const QString own = under(m_user, {PdfNames::PageTemplateName});
    // QFile::copy writes a temporary file beside the copy and renames it only once complete.
    if (!shipped.copy(own))
        return Error{QCoreApplication::translate("AppFolders", "The page template could not be copied to:\n%1\n%2")
                         .arg(own, shipped.errorString())};
    // The shipped file may be read-only, and the copy is made to be edited.
    QFile::setPermissions(own, QFile::permissions(own) | QFileDevice::WriteOwner);
    return own;
}
