// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BulkPdfJob.h"

#include "core/FileNames.h"
#include "core/PdfNames.h"
#include "core/TextFile.h"

#include <algorithm>

BulkPdfJob::BulkPdfJob(const PdfJobRequest& request, QObject* parent)
    : PdfJob(request, int(request.articles.size()), parent)
{}

BulkPdfJob::~BulkPdfJob() = default;

void BulkPdfJob::begin()
{
    if (request().naming == PdfNaming::Keywords && request().finalNames.isEmpty()) {
        stop(tr("The final filename list is empty."));
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
    if (runningConverters() >= converterLimit())
        return;

    const int index = m_next;
    const PdfNames::PlannedPdf planned = PdfNames::bulkPdf(request(), index);
    if (isInUse(planned.page, planned.pdf))
        return;

    ++m_next;
    announceArticle(index, planned.nameIndex);
    if (request().skipped.contains(planned.place))
        recordSkipped(index, planned.name, planned.pdf);
    else if (const Result<> name = FileNames::check(planned.fileName); !name)
        recordFailure(index, planned.name, planned.pdf,
                      tr("%1 (named after the article %2)").arg(name.error(), request().articles.at(index)));
    else if (const Result<QString> written = writePage(index, planned.page); !written)
        recordFailure(index, planned.name, planned.pdf, written.error());
    else
        runConverter(index, planned.name, planned.page, planned.pdf,
                     properties(planned.nameIndex >= 0 ? planned.name : planned.fileName.chopped(4), planned.keyword),
                     *written);
    schedule();
}

Result<QString> BulkPdfJob::writePage(int index, const QString& page) const
{
    const QString& article = request().articles.at(index);
    const Result<QString> text = TextFile::load(article);
    if (!text)
        return Error{tr("The article could not be read: %1 (%2)").arg(article, text.error())};
    const Result<> written = PageBuilder::writePage(page, pageHead(), PageBuilder::articleToHtml(*text), scriptTail());
    if (!written)
        return Error{tr("The page could not be written: %1 (%2)").arg(page, written.error())};
    return textWarning(article, *text);
}
