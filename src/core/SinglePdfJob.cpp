#include "core/SinglePdfJob.h"

#include "core/TextFile.h"

#include <QFile>

using namespace PageAssembly;

std::optional<QString> SinglePdfNameProblem(const QString& typedName)
{
    return FileNameProblem(SinglePdfBaseName(typedName) + ".pdf");
}

SinglePdfJob::SinglePdfJob(const PdfJobRequest& request, PdfJobEngine& engine)
    : PdfJob(request, 1, engine)
{}

SinglePdfJob::~SinglePdfJob() = default;

void SinglePdfJob::begin()
{
    if (const auto problem = SinglePdfNameProblem(request().singlePdfName)) {
        stop(*problem);
        return done();
    }
    const QString name = SinglePdfBaseName(request().singlePdfName);
    m_pagePath = request().folders.pageFile(SinglePageName(name));
    m_pdfPath = request().folders.pdfFile(name + ".pdf");
    QString error;
    if (!m_page.open(m_pagePath, &error) || !m_page.write(pageHead(), &error))
        return abandonUnwrittenPage(error);
    writeNextArticle();
}

void SinglePdfJob::writeNextArticle()
{
    if (isStopping())
        return abandonPage({});
    const QStringList& articles = request().articles;
    QString error;
    if (m_next < articles.size()) {
        const int index = m_next++;
        announceArticle(index, -1);
        const std::optional<QString> text = vFile::LoadText(articles[index], &error);
        if (!text)
            return abandonPage(QString("The article could not be read:\n%1\n%2").arg(articles[index], error));
        if (!m_page.write(SingleBodyPiece(ArticleToHtml(*text)), &error))
            return abandonUnwrittenPage(error);
        QMetaObject::invokeMethod(this, &SinglePdfJob::writeNextArticle, Qt::QueuedConnection);
        return;
    }
    if (!m_page.write(scriptTail(), &error) || !m_page.close(&error))
        return abandonUnwrittenPage(error);
    runConverter(0, request().singlePdfName, m_pagePath, m_pdfPath);
    done();
}

void SinglePdfJob::abandonPage(const QString& message)
{
    m_page.close(nullptr);
    QFile::remove(m_pagePath);
    stop(message);
    done();
}

void SinglePdfJob::abandonUnwrittenPage(const QString& error)
{
    abandonPage(QString("The page could not be written:\n%1\n%2").arg(m_pagePath, error));
}
