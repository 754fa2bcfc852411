// SPDX-License-Identifier: GPL-3.0-or-later
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

// Placeholders are replaced in the order title, call-to-action text, URL; the title and the text go in exactly as
// typed, so a later placeholder inside an earlier value is replaced too, and the URL as linkAddress() makes it.
QString fillTemplate(const QString& templateText, const AdBlock& ad);

// The call-to-action address as the pages link to it: without the blanks and control characters at its ends, as
// browsers read it; with "https://" before an address that has no scheme (a host with a port has none), since a
// page read from disk would take it for a file beside the page ("//host" gets "https:"); and with '"', '<', '>',
// blanks and control characters percent-encoded, so that it stays one attribute value and one link.
QString linkAddress(const QString& typed);
// Tells the user what the pages link to when that is not the address as typed, and why; empty otherwise, and for
// an address that checkCtaUrl() refuses.
QString linkNote(const QString& typed);
// Refuses an address that would open a file of the reader's disk, run a script or carry a page of its own
// ("file:", "javascript:", "data:").
Result<> checkCtaUrl(const QString& typed);

// Each line ending (CR LF, CR or LF) becomes "<br><br>"; nothing else changes.
QString articleToHtml(const QString& articleText);

// One article's piece of the single job's body: three line breaks before it.
QString singleBodyPiece(const QString& articleHtml);

// The four script elements and the closing tags, without a line break.
QString scriptTail();

// Writes a whole page file: head, body and tail with nothing between them; an existing file is replaced.
Result<> writePage(const QString& path, const QString& head, const QString& body, const QString& tail);

} // namespace PageBuilder
