#include "core/PageBuilder.h"

#include "core/TextFile.h"

namespace PageBuilder {

QString fillTemplate(const QString& templateText, const AdBlock& ad)
{
    return QString(templateText)
        .replace(QStringLiteral("#ADTITLE#"), ad.title)
        .replace(QStringLiteral("#CTATEXT#"), ad.ctaText)
        .replace(QStringLiteral("#CTAURL#"), ad.ctaUrl);
}

QString articleToHtml(const QString& articleText)
{
    return TextFile::replaceLineBreaks(articleText, QStringLiteral("<br><br>"));
}

QString singleBodyPiece(const QString& articleHtml)
{
    return QStringLiteral("<br><br>") + QStringLiteral("<br>") + articleHtml;
}

QString scriptTail()
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

Result<> writePage(const QString& path, const QString& head, const QString& body, const QString& tail)
{
    // Written piece by piece, so a large article is not copied once more into one string.
    TextFile::Writer page;
    Result<> result = page.open(path);
    for (const QString* piece : {&head, &body, &tail}) {
        if (result)
            result = page.write(*piece);
    }
    return result ? page.close() : result;
}

} // namespace PageBuilder
