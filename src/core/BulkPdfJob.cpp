#include "core/BulkPdfJob.h"

#include "core/TextFile.h"
#include "core/vParser.h"
#include "core/PdfNames.h"

#include <algorithm>

using namespace PageAssembly;

QString KeywordPdfName(const QString& item)
{
    return vParser::Replace(vParser::Replace(item + ".pdf", " ", "-"), "--", "-");
}

BulkNames BulkNamesFor(const PdfJobRequest& request, int index)
{
    const QString outputName = ArticleOutputName(request.articles.at(index), request.folders.separator());
    BulkNames names{BulkPageName(outputName), vParser::Replace(outputName, ".txt", ".pdf"), -1};
    if (request.naming == PdfNaming::Keywords && !request.finalNames.isEmpty()) {
        names.nameIndex = index % int(request.finalNames.size());
        names.pdf = KeywordPdfName(request.finalNames.at(names.nameIndex));
    }
    return names;
}

BulkPdfJob::BulkPdfJob(const PdfJobRequest& request, PdfJobEngine& engine)
    : PdfJob(request, int(request.articles.size()), engine)
{}

BulkPdfJob::~BulkPdfJob() = default;

void BulkPdfJob::begin()
{
    if (request().naming == PdfNaming::Keywords && request().finalNames.isEmpty()) {
        stop("The final filename list is empty.");
        return done();
    }
    schedule();
}

void BulkPdfJob::proceed()
{
    schedule();
}

void BulkPdfJob::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_scheduled = false;
            startNext();
        },
        Qt::QueuedConnection);
}

void BulkPdfJob::startNext()
{
    const QStringList& articles = request().articles;
    if (isStopping() || m_next >= articles.size())
        return done();
    // A converter that ends calls proceed(), which comes back here.
    if (runningConverters() >= std::max(1, request().converterLimit))
        return;

    const int index = m_next;
    const BulkNames names = BulkNamesFor(request(), index);
    const QString page = request().folders.pageFile(names.page);
    const QString pdf = request().folders.pdfFile(names.pdf);
    if (isInUse(page, pdf))
        return;

    ++m_next;
    announceArticle(index, names.nameIndex);
    const QString given = names.nameIndex >= 0 ? request().finalNames.at(names.nameIndex) : names.pdf;
    if (const auto problem = FileNameProblem(names.pdf))
        recordFailure(index, given, pdf, *problem);
    else if (const QString problem = writePage(index, page); !problem.isEmpty())
        recordFailure(index, given, pdf, problem);
    else
        runConverter(index, given, page, pdf);
    schedule();
}

QString BulkPdfJob::writePage(int index, const QString& page) const
{
    const QString& article = request().articles.at(index);
    QString error;
    const std::optional<QString> text = vFile::LoadText(article, &error);
    if (!text)
        return QString("The article could not be read: %1 (%2)").arg(article, error);
    if (!WritePage(page, pageHead(), ArticleToHtml(*text), scriptTail(), &error))
        return QString("The page could not be written: %1 (%2)").arg(page, error);
    return {};
}
