#include "FuzzInput.h"
#include "core/KeywordCombinations.h"

using namespace KeywordCombinations;

// The first field holds the patterns, the second the keywords, one per line as the user types them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList f = fuzzFields(data, size, 2);
    const QStringList patterns = lines(f[0]);
    const QStringList keywords = lines(f[1]);
    const QString text = combine(patterns, keywords);
    FUZZ_CHECK(text.isEmpty() || text.endsWith(LineBreak));

    // Reading the final list back gives every non-empty name, grouped by pattern, each keyword in its place; with
    // no pattern, the keywords.
    const QStringList names = lines(text);
    qsizetype at = 0;
    for (const QString& pattern : patterns.isEmpty() ? QStringList{Placeholder} : patterns) {
        for (const QString& keyword : keywords) {
            QString name = pattern;
            name.replace(Placeholder, keyword);
            if (name.isEmpty() || name.contains(u'\r') || name.contains(u'\n'))
                return 0; // a name that is empty or spans lines cannot be told apart when read back
            FUZZ_CHECK(at < names.size() && names[at] == name);
            ++at;
        }
    }
    FUZZ_CHECK(at == names.size());
    return 0;
}
