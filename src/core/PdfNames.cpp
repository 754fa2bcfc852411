#include "core/PdfNames.h"

#include "core/FileNames.h"
#include "core/PdfJobTypes.h"

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

BulkNames bulkNamesFor(const PdfJobRequest& request, int index)
{
    const QString outputName = articleOutputName(request.articles.at(index), request.folders.separator());
    BulkNames names{bulkPageName(outputName), QString(outputName).replace(".txt", ".pdf"), -1};
    if (request.naming == PdfNaming::Keywords && !request.finalNames.isEmpty()) {
        names.nameIndex = request.placeOf(index) % int(request.finalNames.size());
        names.pdf = keywordPdfName(request.finalNames.at(names.nameIndex));
    }
    return names;
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
