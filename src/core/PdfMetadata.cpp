// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PdfMetadata.h"

#include <QCoreApplication>
#include <QFile>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <optional>

namespace PdfMetadata {

namespace {
// qpdf takes file names in UTF-8 on Windows and in the file system's encoding elsewhere.
std::string qpdfFileName(const QString& path)
{
#ifdef Q_OS_WIN
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

Error<WriteFailure> failed(const QString& reason)
{
    return {
        {false,
         QCoreApplication::translate("PdfMetadata", "The document properties could not be written: %1").arg(reason)}};
}

// What qpdf says went wrong: for a fault of the file, the detail without the file's name, which the outcome names
// already.
QString qpdfReason(const std::exception& e)
{
    const auto* fault = dynamic_cast<const QPDFExc*>(&e);
    return QString::fromStdString(fault ? fault->getMessageDetail() : e.what());
}

// Where the PDF's last cross-reference section starts, as its last lines say ("startxref", the offset, "%%EOF").
// Read without QRegularExpression: this runs on a worker thread, and the matcher's stack kept per thread is a
// thread_local that mingw's runtime cannot destroy at exit without hanging the Windows process.
std::optional<qint64> lastXrefOffset(QFile& file)
{
    file.seek(std::max<qint64>(0, file.size() - 1024));
    constexpr QByteArrayView keyword("startxref");
    constexpr QByteArrayView end("%%EOF");
    const QByteArray tail = file.readAll().trimmed();
    const qsizetype at = tail.lastIndexOf(keyword);
    if (at < 0 || !tail.endsWith(end))
        return std::nullopt;
    const qsizetype from = at + keyword.size();
    const QByteArray digits = tail.mid(from, tail.size() - end.size() - from).trimmed();
    const bool allDigits =
        !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return allDigits ? std::optional<qint64>(digits.toLongLong()) : std::nullopt;
}

// The update that gives the PDF its new document information: the information dictionary as an object of its own,
// a cross-reference section for that object alone, and a trailer that leads back to the PDF's own.
Result<QByteArray> informationUpdate(QPDF& document, qint64 fileSize, qint64 previousXref, const Properties& properties)
try {
    QPDFObjectHandle trailer = document.getTrailer();
    // Its strings would have to be encrypted too.
    if (trailer.hasKey("/Encrypt"))
        return Error{QCoreApplication::translate("PdfMetadata", "the PDF is encrypted")};

    std::map<std::string, std::string> fields;
    QPDFObjectHandle info = trailer.getKey("/Info");
    if (info.isDictionary()) {
        for (const std::string& key : info.getKeys())
            fields[key] = info.getKey(key).unparse();
    }
    const std::pair<const char*, QString> given[] = {{"/Title", properties.title},
                                                     {"/Subject", properties.subject},
                                                     {"/Keywords", properties.keywords},
                                                     {"/Author", properties.author},
                                                     {"/Creator", properties.creator}};
    for (const auto& [key, value] : given) {
        if (!value.isEmpty())
            fields[key] = QPDFObjectHandle::newUnicodeString(value.toStdString()).unparse();
    }

    // A dictionary of its own replaces the old one under its number; one in the trailer itself gets a new number.
    qint64 size = trailer.getKey("/Size").getIntValue();
    const QPDFObjGen object = info.isIndirect() ? info.getObjGen() : QPDFObjGen(int(size++), 0);
    // A line break first: the converter's PDF ends right after its %%EOF.
    const std::string number = std::to_string(object.getObj()) + " " + std::to_string(object.getGen());
    const qint64 objectOffset = fileSize + 1;
    std::string update = "\n" + number + " obj\n<<";
    for (const auto& [key, value] : fields)
        update += " " + key + " " + value;
    update += " >>\nendobj\n";
    const qint64 xrefOffset = objectOffset + qint64(update.size()) - 1;
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010lld %05d n ", static_cast<long long>(objectOffset), object.getGen());
    update += "xref\n" + std::to_string(object.getObj()) + " 1\n" + entry + "\ntrailer\n<< /Size " +
              std::to_string(size) + " /Root " + trailer.getKey("/Root").unparse() + " /Info " + number + " R /Prev " +
              std::to_string(previousXref);
    if (trailer.hasKey("/ID"))
        update += " /ID " + trailer.getKey("/ID").unparse();
    update += " >>\nstartxref\n" + std::to_string(xrefOffset) + "\n%%EOF\n";
    return QByteArray::fromStdString(update);
} catch (const std::exception& e) {
    return Error{qpdfReason(e)};
}
} // namespace

Result<void, WriteFailure> write(const QString& pdf, const Properties& properties)
{
    QFile file(pdf);
    // Unbuffered, so that nothing of an update cut off is written again when the file is closed.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failed(file.errorString());
    const qint64 size = file.size();
    QPDF document;
    document.setSuppressWarnings(true);
    // A PDF that opens only repaired is not whole, and a repair could lose what the viewer's own would keep.
    document.setAttemptRecovery(false);
    try {
        document.processFile(qpdfFileName(pdf).c_str());
    } catch (const std::exception& e) {
        return Error{WriteFailure{true, qpdfReason(e)}};
    }
    const std::optional<qint64> previousXref = lastXrefOffset(file);
    if (!previousXref)
        return failed(QCoreApplication::translate("PdfMetadata", "its end is not that of a PDF"));
    const Result<QByteArray> update = informationUpdate(document, size, *previousXref, properties);
    if (!update)
        return failed(update.error());
    // Appended, the update leaves the PDF before it as it was; one that could not be written whole is cut off again.
    if (!file.seek(size) || file.write(*update) != update->size()) {
        const QString error = file.errorString();
        file.resize(size);
        return failed(error);
    }
    return Result<void, WriteFailure>::ok();
}

} // namespace PdfMetadata
