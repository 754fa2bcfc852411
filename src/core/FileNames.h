// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QString>

namespace FileNames {

// Whether a file can take this name (extension included); if not, why, in a message that names it. The
// rule is Windows', where the articles and PDFs are used, and holds on the other systems too: no character that a
// Windows file name cannot hold (so no separator, and the file stays in its folder), not empty or only blanks, not
// only dots, no dot first (a hidden file elsewhere), no dot or blank last (Windows drops them), no device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, any letter case, with or without extension), and at most
// MaxBytes bytes in UTF-8.
Result<> check(const QString& name);

// Common file systems take 255 bytes; the PDF is written under a hidden temporary name of up to 15 more bytes
// beside its final name first.
constexpr qsizetype MaxBytes = 240;

} // namespace FileNames
