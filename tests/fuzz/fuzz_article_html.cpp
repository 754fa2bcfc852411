#include "FuzzInput.h"
#include "main_window/PageAssembly.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString article = fuzzFields(data, size, 1).join(QChar(0));
    const QString html = PageAssembly::ArticleToHtml(article);
    FUZZ_CHECK(!html.contains(u'\r'));
    // Every CR, alone or before an LF, becomes exactly one pair of breaks; the lone LFs stay.
    const qsizetype crlf = article.count(QStringLiteral("\r\n"));
    FUZZ_CHECK(html.count(u'\n') == article.count(u'\n') - crlf);
    // A CR LF (two characters) and a lone CR (one) each become eight.
    FUZZ_CHECK(html.size() == article.size() + 7 * article.count(u'\r') - crlf);
    return 0;
}
