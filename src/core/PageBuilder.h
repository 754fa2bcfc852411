#pragma once

#include <QString>

#include <memory>

class QFile;

// The HTML page behind every PDF: the page template with the ad block filled in, the article HTML, and a fixed
// script tail. The page template leaves the document body open; the tail closes it.
namespace PageAssembly {

struct AdBlock {
    QString title;
    QString ctaText;
    QString ctaUrl;
};

// Placeholders are replaced in the order title, call-to-action text, URL; values go in exactly as typed, so a
// later placeholder inside an earlier value is replaced too.
QString FillTemplate(const QString& templateText, const AdBlock& ad);

// Each line ending (CR LF, CR or LF) becomes "<br><br>"; nothing else changes.
QString ArticleToHtml(const QString& articleText);

// One article's piece of the single job's body: three line breaks before it.
QString SingleBodyPiece(const QString& articleHtml);

// The four script elements and the closing tags, without a line break.
QString ScriptTail();

// The single PDF's name as the user sees it afterwards: blanks turned into "-".
QString SinglePdfBaseName(const QString& typedName);
// The single job's page file name for that base name. A name that is "template" in any letter case gets an "e"
// in front, so the page template is never written on any file system.
QString SinglePageName(const QString& baseName);
// The bulk job's page file name for an article's output name (".txt" becomes ".html"), with the same guard.
QString BulkPageName(const QString& outputName);

// A page file being written: an existing file of that name is replaced, the text goes in as UTF-8 piece by
// piece, so the single job never holds all its articles at once.
class PageFile
{
public:
    PageFile();
    ~PageFile();
    bool open(const QString& path, QString* error);
    bool write(const QString& text, QString* error);
    bool close(QString* error);

private:
    std::unique_ptr<QFile> m_file;
};

// Writes a whole page file: head, body and tail with nothing between them.
bool WritePage(const QString& path, const QString& head, const QString& body, const QString& tail, QString* error);

} // namespace PageAssembly
