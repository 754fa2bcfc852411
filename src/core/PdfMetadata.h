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

// Writes the properties into the PDF's document information, keeping the fields it does not set. They go in an
// update appended to the PDF, which leaves every byte before it as it was and costs the same for a PDF of any size;
// an update that could not be written whole is cut off again, so a failure leaves the converter's PDF whole. A PDF
// that can be read only by repairing it is left alone.
Result<> write(const QString& pdf, const Properties& properties);

} // namespace PdfMetadata
