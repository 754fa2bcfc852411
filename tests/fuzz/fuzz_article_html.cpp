// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzInput.h"
#include "core/PageBuilder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString article = fuzzText(data, size);
    const QString html = PageBuilder::articleToHtml(article);
    FUZZ_CHECK(!html.contains(u'\r') && !html.contains(u'\n'));
    // Every line ending, CR LF, CR or LF, becomes exactly one pair of breaks (eight characters).
    const qsizetype crlf = article.count(QStringLiteral("\r\n"));
    const qsizetype endings = article.count(u'\r') + article.count(u'\n') - crlf;
    FUZZ_CHECK(html.size() == article.size() - article.count(u'\r') - article.count(u'\n') + 8 * endings);
    return 0;
}
