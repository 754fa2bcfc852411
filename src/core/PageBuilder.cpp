#include "core/PageBuilder.h"

#include "core/vParser.h"
#include "core/modUTF8.h"

#include <QFile>

namespace PageAssembly {

QString FillTemplate(const QString& templateText, const AdBlock& ad)
{
    QString page = vParser::Replace(templateText, "#ADTITLE#", ad.title);
    page = vParser::Replace(page, "#CTATEXT#", ad.ctaText);
    return vParser::Replace(page, "#CTAURL#", ad.ctaUrl);
}

QString ArticleToHtml(const QString& articleText)
{
    // Articles come from Windows (CR LF), old Mac (CR) and Linux or Mac editors (LF) alike.
    QString html = articleText;
    html.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return html.replace(u'\n', QStringLiteral("<br><br>"));
}

QString SingleBodyPiece(const QString& articleHtml)
{
    return QStringLiteral("<br><br>") + QStringLiteral("<br>") + articleHtml;
}

QString ScriptTail()
{
    static const char* const sources[] = {
        "assets/js/jquery.min.js",
        "assets/bootstrap/js/bootstrap.min.js",
        "https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js",
        "assets/js/stylish-portfolio.js",
    };
    QString tail;
    for (const char* source : sources)
        tail += QStringLiteral("<script src= ") + QLatin1String(source) + QStringLiteral(" ></script>");
    return tail + QStringLiteral("</body></html>");
}

QString SinglePdfBaseName(const QString& typedName)
{
    return vParser::Replace(typedName, " ", "-");
}

namespace {
QString guarded(const QString& pageName)
{
    return pageName.compare(QLatin1String("template.html"), Qt::CaseInsensitive) == 0 ? "e" + pageName : pageName;
}
} // namespace

QString SinglePageName(const QString& baseName)
{
    return guarded(baseName + ".html");
}

QString BulkPageName(const QString& outputName)
{
    return guarded(vParser::Replace(outputName, ".txt", ".html"));
}

PageFile::PageFile() = default;
PageFile::~PageFile() = default;

bool PageFile::open(const QString& path, QString* error)
{
    QFile existing(path);
    if (existing.exists() && !existing.remove()) {
        if (error)
            *error = existing.errorString();
        return false;
    }
    m_file = OpenForAppend(path, error);
    return m_file != nullptr;
}

bool PageFile::write(const QString& text, QString* error)
{
    return m_file && WriteUtf8(*m_file, text, false, error);
}

bool PageFile::close(QString* error)
{
    if (!m_file)
        return false;
    const bool ok = CloseFile(*m_file, error);
    m_file.reset();
    return ok;
}

bool WritePage(const QString& path, const QString& head, const QString& body, const QString& tail, QString* error)
{
    // Written piece by piece, so a large article is not copied once more into one string.
    PageFile page;
    return page.open(path, error) && page.write(head, error) && page.write(body, error) && page.write(tail, error) &&
           page.close(error);
}

} // namespace PageAssembly
