// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJob.h"
#include "core/TextFile.h"

// One PDF of all articles: the filled page template, then every article in list order, each after three line
// breaks, then the script tail. The page is written one article per turn of the event loop, so that the articles
// are never all in memory at once. An article or page that cannot be read or written stops the job with a message
// naming it, and nothing is converted. The PDF's name is the request's as CreateFlow::check has passed it.
class SinglePdfJob : public PdfJob
{
    Q_OBJECT

public:
    explicit SinglePdfJob(const PdfJobRequest& request, QObject* parent = nullptr);
    ~SinglePdfJob() override;

private:
    void begin() override;
    void writeNextArticle();
    // Stops the job and removes the page written so far.
    void abandonPage(const QString& message);
    void abandonUnwrittenPage(const QString& error);

    TextFile::Writer m_page;
    QString m_pagePath;
    QString m_pdfPath;
    int m_next = 0;
    QString m_warning; // the articles' textWarning()s
};
