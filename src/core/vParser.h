#pragma once

#include <QString>

namespace vParser {

// Every occurrence of find replaced, left to right, letter case exact; inserted text is not scanned again.
// The last argument is kept for the callers' sake and always 0.
QString Replace(const QString& text, const QString& find, const QString& replacement, int compare = 0);

} // namespace vParser
