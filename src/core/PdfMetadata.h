// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

// The document properties that PDF viewers and desktop search show for a PDF.
namespace PdfMetadata {

// An empty field leaves what the converter wrote.
struct Properties {
    QString title;
    QString subject;
    QString keywords;
    QString author;
    QString creator;
};

// Why the properties were not written. A PDF that qpdf cannot open without repairing it is damaged, and reason is
// qpdf's; otherwise reason says what failed.
struct WriteFailure {
    bool damaged = false;
    QString reason;
};

// Writes the properties into the PDF's document information, keeping the fields it does not set. They go in an
// update appended to the PDF, which leaves every byte before it as it was and costs the same for a PDF of any size;
// an update that could not be written whole is cut off again, so a failure leaves the PDF as it was.
Result<void, WriteFailure> write(const QString& pdf, const Properties& properties);

} // namespace PdfMetadata
