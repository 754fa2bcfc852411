// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SinglePdfJob.h"

#include "core/PdfNames.h"

#include <QFile>

SinglePdfJob::SinglePdfJob(const PdfJobRequest& request, QObject* parent)
    : PdfJob(request, 1, parent)
{}

SinglePdfJob::~SinglePdfJob() = default;

void SinglePdfJob::begin()
{
    const PdfNames::PlannedPdf planned = PdfNames::plannedPdfs(request()).constFirst();
    if (request().skipped.contains(planned.place)) {
        recordSkipped(0, planned.name, planned.pdf);
        return done();
    }
    m_pagePath = planned.page;
    m_pdfPath = planned.pdf;
    Result<> written = m_page.open(m_pagePath);
    if (written)
        written = m_page.write(pageHead());
    if (!written)
        return abandonUnwrittenPage(written.error());
    writeNextArticle();
}

void SinglePdfJob::writeNextArticle()
{
    if (isStopping())
        return abandonPage({});
    const QStringList& articles = request().articles;
    if (m_next < articles.size()) {
        const int index = m_next++;
        announceArticle(index, -1);
        const Result<QString> text = TextFile::load(articles[index]);
        if (!text)
            return abandonPage(tr("The article could not be read:\n%1\n%2").arg(articles[index], text.error()));
        if (const QString warning = textWarning(articles[index], *text); !warning.isEmpty())
            m_warning += (m_warning.isEmpty() ? "" : " ") + warning;
        if (const Result<> written = m_page.write(PageBuilder::singleBodyPiece(PageBuilder::articleToHtml(*text)));
            !written)
            return abandonUnwrittenPage(written.error());
        QMetaObject::invokeMethod(this, &SinglePdfJob::writeNextArticle, Qt::QueuedConnection);
        return;
    }
    Result<> written = m_page.write(scriptTail());
    if (written)
        written = m_page.close();
    if (!written)
        return abandonUnwrittenPage(written.error());
    runConverter(0, request().singlePdfName, m_pagePath, m_pdfPath, properties(request().singlePdfName), m_warning);
    done();
}

void SinglePdfJob::abandonPage(const QString& message)
{
    m_page.close();
    QFile::remove(m_pagePath);
    stop(message);
    done();
}

void SinglePdfJob::abandonUnwrittenPage(const QString& error)
{
    abandonPage(tr("The page could not be written:\n%1\n%2").arg(m_pagePath, error));
}
