// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PageBuilder.h"

#include "core/TextFile.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace PageBuilder {

namespace {
bool isBlankOrControl(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control;
}

QString trimmedAddress(const QString& typed)
{
    qsizetype start = 0;
    qsizetype end = typed.size();
    while (start < end && isBlankOrControl(typed.at(start)))
        ++start;
    while (end > start && isBlankOrControl(typed.at(end - 1)))
        --end;
    return typed.mid(start, end - start);
}

// The scheme in lower case, or empty. A scheme holds no dot and is not followed by a port: "example.com:8080/a" and
// "localhost:3000" are hosts.
QString schemeOf(const QString& address)
{
    static const QRegularExpression scheme(R"(^([A-Za-z][A-Za-z0-9+-]*):(?!\d+(?:[/?#]|$)))");
    return scheme.match(address).captured(1).toLower();
}

bool lacksScheme(const QString& address)
{
    return !address.isEmpty() && schemeOf(address).isEmpty();
}
} // namespace

QString fillTemplate(const QString& templateText, const AdBlock& ad)
{
    return QString(templateText)
        .replace(QStringLiteral("#ADTITLE#"), ad.title)
        .replace(QStringLiteral("#CTATEXT#"), ad.ctaText)
        .replace(QStringLiteral("#CTAURL#"), linkAddress(ad.ctaUrl));
}

QString linkAddress(const QString& typed)
{
    QString address = trimmedAddress(typed);
    if (lacksScheme(address))
        address.prepend(address.startsWith(QStringLiteral("//")) ? QStringLiteral("https:")
                                                                 : QStringLiteral("https://"));
    QString link;
    for (const QChar c : std::as_const(address)) {
        if (c == u'"' || c == u'<' || c == u'>' || isBlankOrControl(c)) {
            for (const char byte : QString(c).toUtf8())
                link += u'%' + QString::number(quint8(byte), 16).toUpper().rightJustified(2, u'0');
        } else {
            link += c;
        }
    }
    return link;
}

QString linkNote(const QString& typed)
{
    // Create refuses it, and says why.
    if (!checkCtaUrl(typed))
        return {};
    const QString link = linkAddress(typed);
    if (lacksScheme(trimmedAddress(typed)))
        return QCoreApplication::translate("PageBuilder", "The address has no scheme, so https:// was added: %1")
            .arg(link);
    if (link != typed)
        return QCoreApplication::translate("PageBuilder", "The button links to %1").arg(link);
    return {};
}

Result<> checkCtaUrl(const QString& typed)
{
    const QString scheme = schemeOf(trimmedAddress(typed));
    if (scheme == u"file" || scheme == u"javascript" || scheme == u"data")
        return Error{QCoreApplication::translate("PageBuilder",
                                                 "The call-to-action address cannot start with \"%1:\": such a link "
                                                 "opens a file of the reader's computer, runs a script or holds a page "
                                                 "of its own. Please enter a web address, such as "
                                                 "https://example.com/offer.")
                         .arg(scheme)};
    return Result<>::ok();
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
