#include "core/CreateFlow.h"

#include "core/BulkPdfJob.h"
#include "core/SinglePdfJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

std::optional<CreateMessage> CreateCheck(const PdfJobRequest& request)
{
    const QString title = QStringLiteral("Missing Info");
    if (request.articles.isEmpty())
        return CreateMessage{title, "Please select one or more articles first."};
    const PageAssembly::AdBlock& ad = request.ad;
    if (ad.title.isEmpty() || ad.ctaText.isEmpty() || ad.ctaUrl.isEmpty())
        return CreateMessage{title, "Please enter your Ad details."};
    if (request.mode == CreationMode::Bulk) {
        if (request.naming == PdfNaming::Original)
            return std::nullopt;
        if (request.finalNames.isEmpty())
            return CreateMessage{title, "Please enter one or more keywords first."};
        // Every name is checked before any page is written, rather than failing PDF by PDF at the converter.
        for (const QString& name : request.finalNames) {
            if (const auto problem = FileNameProblem(KeywordPdfName(name)))
                return CreateMessage{"Error", *problem};
        }
        return std::nullopt;
    }
    if (request.singlePdfName.isEmpty())
        return CreateMessage{title, "Please enter a filename for your PDF file."};
    if (const auto problem = SinglePdfNameProblem(request.singlePdfName))
        return CreateMessage{"Error", *problem};
    return std::nullopt;
}

QStringList ClearOldPages(const AppFolders& folders)
{
    QStringList remaining;
    const QDir bin(folders.bin());
    // Hidden too: a page named after an empty name is ".html".
    for (const QString& name : bin.entryList({"*.html"}, QDir::Files | QDir::Hidden)) {
        if (name.compare(QLatin1String("template.html"), Qt::CaseInsensitive) == 0)
            continue;
        const QString page = folders.pageFile(name);
        // A page that went meanwhile is gone all the same.
        if (!QFile::remove(page) && QFile::exists(page))
            remaining << page;
    }
    return remaining;
}

CreateMessage OldPagesMessage(const QStringList& pages)
{
    return {"Error", "These pages of an earlier run could not be deleted, so no PDF was made. Close the programs "
                     "that use them and press Create again.\n\n" +
                         pages.join('\n')};
}

RunLock::RunLock(const AppFolders& folders)
    : m_file(folders.pageFile(QStringLiteral("leafrunner.lock")))
{
    // A long run must never lose its lock for being old.
    m_file.setStaleLockTime(0);
}

bool RunLock::take()
{
    return m_file.tryLock() || m_file.error() != QLockFile::LockFailedError;
}

CreateMessage BusyMessage()
{
    return {QCoreApplication::translate("CreateCommand", "Busy"),
            QCoreApplication::translate("CreateCommand",
                                        "Another Leafrunner is making PDFs from this application folder. Please press "
                                        "Create again when it has finished.")};
}
