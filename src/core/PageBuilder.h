#pragma once

#include "core/Result.h"

#include <QString>

// The HTML page behind every PDF: the page template with the ad block filled in, the article HTML, and a fixed
// script tail. The page template leaves the document body open; the tail closes it.
namespace PageBuilder {

struct AdBlock {
    QString title;
    QString ctaText;
    QString ctaUrl;
};

// Placeholders are replaced in the order title, call-to-action text, URL; values go in exactly as typed, so a
// later placeholder inside an earlier value is replaced too.
QString fillTemplate(const QString& templateText, const AdBlock& ad);

// Each line ending (CR LF, CR or LF) becomes "<br><br>"; nothing else changes.
QString articleToHtml(const QString& articleText);

// One article's piece of the single job's body: three line breaks before it.
QString singleBodyPiece(const QString& articleHtml);

// The four script elements and the closing tags, without a line break.
QString scriptTail();

// Writes a whole page file: head, body and tail with nothing between them; an existing file is replaced.
Result<> writePage(const QString& path, const QString& head, const QString& body, const QString& tail);

} // namespace PageBuilder
