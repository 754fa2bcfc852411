#include "core/PdfMetadata.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <qpdf/Pl_Function.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <stdexcept>

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

void setField(QPDFObjectHandle& info, const char* key, const QString& value)
{
    if (!value.isEmpty())
        info.replaceKey(key, QPDFObjectHandle::newUnicodeString(value.toStdString()));
}

Error<QString> failed(const QString& reason)
{
    return {QCoreApplication::translate("PdfMetadata", "The document properties could not be written: %1").arg(reason)};
}
} // namespace

Result<> write(const QString& pdf, const Properties& properties)
{
    QSaveFile file(pdf);
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        // A repaired PDF could lose what the viewer's own repair would keep; a damaged one stays as it is.
        document.setAttemptRecovery(false);
        document.processFile(qpdfFileName(pdf).c_str());
        QPDFObjectHandle trailer = document.getTrailer();
        QPDFObjectHandle info = trailer.getKey("/Info");
        if (!info.isDictionary()) {
            info = document.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", info);
        }
        setField(info, "/Title", properties.title);
        setField(info, "/Subject", properties.subject);
        setField(info, "/Keywords", properties.keywords);
        setField(info, "/Author", properties.author);
        setField(info, "/Creator", properties.creator);

        if (!file.open(QIODevice::WriteOnly))
            return failed(file.errorString());
        Pl_Function output("PDF file", nullptr, [&file](unsigned char const* data, size_t size) {
            if (file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
                throw std::runtime_error(file.errorString().toStdString());
        });
        QPDFWriter writer(document);
        writer.setOutputPipeline(&output);
        // Streams are copied as the converter wrote them: nothing on the pages changes, and it is quick.
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setCompressStreams(false);
        writer.setObjectStreamMode(qpdf_o_preserve);
        writer.setLinearization(false);
        writer.write();
    } catch (const QPDFExc& e) {
        // Without the file name, which whoever shows the failure gives already.
        return failed(QString::fromStdString(e.getMessageDetail()));
    } catch (const std::exception& e) {
        return failed(QString::fromStdString(e.what()));
    }
    // Flushed first because commit() goes on when writing out the buffer fails, and would keep a cut-off file.
    if (!file.flush() || !file.commit())
        return failed(file.errorString());
    return Result<>::ok();
}

QString keywordBehind(const QString& name, const QStringList& keywords)
{
    QString found;
    for (const QString& keyword : keywords) {
        if (keyword.size() > found.size() && name.contains(keyword))
            found = keyword;
    }
    return found.isEmpty() ? name : found;
}

} // namespace PdfMetadata
