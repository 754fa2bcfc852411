// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

#include <utility>

struct PdfJobRequest;

// The names of the pages and PDFs a run writes.
namespace PdfNames {

// The page template's file name in the bin folder.
inline const QString PageTemplateName = QStringLiteral("template.html");
// True for the page template's name in any letter case, as Windows opens it: such a page is never written, and
// never cleared away.
bool isPageTemplate(const QString& fileName);

// The base name under which an article's page and PDF are written: the file name after the last separator, cut
// at its first ".", with "_" and blanks turned into "-", and ".txt" appended. The result holds exactly one ".".
QString articleOutputName(const QString& path, QChar separator);

// A bulk PDF's name from an item of the final filename list: ".pdf" appended, every blank turned into "-", then
// one pass turning "--" into "-".
QString keywordPdfName(const QString& item);

// A PDF a run sets out to make.
struct PlannedPdf {
    int place = 0;    // its article's place in the run; 0 for the single PDF
    QString name;     // as the user gave it: the single name typed, the final list's item, or the article's PDF name
    QString fileName; // the PDF's file name
    QString page;     // full paths
    QString pdf;
    QString keyword;    // a keyword name's: the keyword it was made from, or the name when typed by hand
    int nameIndex = -1; // the final filename list's item used, or -1
};
// The bulk PDF of the article at index: named after the article, or from the final filename list in turn, from the
// first item again when it is used up, by the article's place (a retry's article keeps the name it had).
PlannedPdf bulkPdf(const PdfJobRequest& request, int index);
// Every PDF of the run: the single PDF, or each article's in order.
QList<PlannedPdf> plannedPdfs(const PdfJobRequest& request);

// The PDF names that several PDFs of the run share, as the output folder's file system compares names, each with
// the articles (full paths) that share it, in the order the run makes them; and how many PDFs the run leaves.
struct SharedNames {
    QList<std::pair<QString, QStringList>> names;
    int kept = 0;
};
SharedNames sharedNames(const PdfJobRequest& request, const QList<PlannedPdf>& pdfs);

// The single PDF's name as the user sees it afterwards: blanks turned into "-".
QString singlePdfBaseName(const QString& typedName);
// Whether the single PDF can take the name typed, as the file it becomes (blanks turned into "-", ".pdf" added).
Result<> checkSinglePdfName(const QString& typedName);
// The single job's page file name for that base name. A name that is the page template's in any letter case gets
// an "e" in front, so the page template is never written on any file system.
QString singlePageName(const QString& baseName);
// The bulk job's page file name for an article's output name (".txt" becomes ".html"), with the same guard.
QString bulkPageName(const QString& outputName);

} // namespace PdfNames
