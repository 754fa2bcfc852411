// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PdfNames.h"

#include "core/FileNames.h"
#include "core/PdfJobTypes.h"
#include "core/Platform.h"

#include <QHash>

namespace PdfNames {

namespace {
QString guarded(const QString& pageName)
{
    return isPageTemplate(pageName) ? "e" + pageName : pageName;
}
} // namespace

bool isPageTemplate(const QString& fileName)
{
    return fileName.compare(PageTemplateName, Qt::CaseInsensitive) == 0;
}

QString articleOutputName(const QString& path, QChar separator)
{
    QString name = path.mid(path.lastIndexOf(separator) + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name.replace(u'_', u'-').replace(u' ', u'-') + ".txt";
}

QString keywordPdfName(const QString& item)
{
    return QString(item + ".pdf").replace(u' ', u'-').replace(QStringLiteral("--"), QStringLiteral("-"));
}

PlannedPdf bulkPdf(const PdfJobRequest& request, int index)
{
    const QString outputName = articleOutputName(request.articles.at(index), request.folders.separator());
    PlannedPdf planned;
    planned.place = request.placeOf(index);
    planned.page = request.folders.pageFile(bulkPageName(outputName));
    planned.fileName = QString(outputName).replace(".txt", ".pdf");
    planned.name = planned.fileName;
    if (request.naming == PdfNaming::Keywords && !request.finalNames.isEmpty()) {
        planned.nameIndex = planned.place % int(request.finalNames.size());
        planned.name = request.finalNames.at(planned.nameIndex);
        planned.fileName = keywordPdfName(planned.name);
        const QString keyword = request.finalKeywords.value(planned.nameIndex);
        planned.keyword = keyword.isEmpty() ? planned.name : keyword;
    }
    planned.pdf = request.folders.pdfFile(planned.fileName);
    return planned;
}

QList<PlannedPdf> plannedPdfs(const PdfJobRequest& request)
{
    QList<PlannedPdf> pdfs;
    if (request.mode == CreationMode::Single) {
        const QString base = singlePdfBaseName(request.singlePdfName);
        PlannedPdf single;
        single.name = request.singlePdfName;
        single.fileName = base + ".pdf";
        single.page = request.folders.pageFile(singlePageName(base));
        single.pdf = request.folders.pdfFile(single.fileName);
        pdfs << single;
        return pdfs;
    }
    pdfs.reserve(request.articles.size());
    for (int i = 0; i < request.articles.size(); ++i)
        pdfs << bulkPdf(request, i);
    return pdfs;
}

SharedNames sharedNames(const PdfJobRequest& request, const QList<PlannedPdf>& pdfs)
{
    QHash<QString, int> byName; // index into names
    QList<std::pair<QString, QStringList>> names;
    for (int i = 0; i < pdfs.size(); ++i) {
        const QString key = Platform::fileNameKey(pdfs[i].fileName);
        const QString article = request.mode == CreationMode::Single ? QString() : request.articles.at(i);
        if (const auto found = byName.constFind(key); found != byName.constEnd()) {
            names[*found].second << article;
        } else {
            byName.insert(key, int(names.size()));
            names.append({pdfs[i].fileName, {article}});
        }
    }
    SharedNames shared;
    shared.kept = int(names.size());
    for (const auto& name : names) {
        if (name.second.size() > 1)
            shared.names << name;
    }
    return shared;
}

QString singlePdfBaseName(const QString& typedName)
{
    return QString(typedName).replace(u' ', u'-');
}

Result<> checkSinglePdfName(const QString& typedName)
{
    return FileNames::check(singlePdfBaseName(typedName) + ".pdf");
}

QString singlePageName(const QString& baseName)
{
    return guarded(baseName + ".html");
}

QString bulkPageName(const QString& outputName)
{
    return guarded(QString(outputName).replace(".txt", ".html"));
}

} // namespace PdfNames
