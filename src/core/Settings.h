// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobTypes.h"
#include "core/Result.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

// One remembered value: its key in the settings file and the value it has while the file holds none that fits.
struct TextSetting {
    QString key;
    QString fallback;
};
struct NumberSetting {
    QString key;
    int fallback = 0;
    int minimum = 0;
    int maximum = 0;
};
struct BytesSetting {
    QString key;
};

// What the program remembers between runs; a new value is one line here (and one where its control is bound).
namespace Remembered {
inline const TextSetting AdTitle{"ad/title", {}};
inline const TextSetting CtaText{"ad/ctaText", {}};
inline const TextSetting CtaUrl{"ad/ctaUrl", "http://"};
inline const TextSetting ArticleFolder{"content/articleFolder", {}};
inline const NumberSetting CreationMode{"content/creationMode", 0, 0, 1}; // 0 single, 1 bulk
inline const NumberSetting Naming{"create/naming", 0, 0, 1};              // 0 original names, 1 keywords
inline const TextSetting Keywords{"create/keywords", {}};
inline const TextSetting FinalList{"create/finalList", {}};
inline const TextSetting PdfName{"create/pdfName", {}};
// 0: automatic, defaultConverterLimit().
inline const NumberSetting Converters{"create/converters", 0, 0, 64};
// What Create does with PDFs the output folder already holds: 0 asks, 1 replaces them, 2 skips them.
inline const NumberSetting ExistingPdfs{"create/existingPdfs", 0, 0, 2};
inline const BytesSetting WindowGeometry{"window/geometry"};
inline const TextSetting PageSize{"pdf/pageSize", "A4"};
inline const NumberSetting Landscape{"pdf/landscape", 0, 0, 1};
inline const TextSetting Margins[4] = {
    {"pdf/marginTop", {}}, {"pdf/marginRight", {}}, {"pdf/marginBottom", {}}, {"pdf/marginLeft", {}}};
inline const NumberSetting AllowScripts{"pdf/allowScripts", 0, 0, 1};
inline const TextSetting Author{"pdf/author", {}};
} // namespace Remembered

// The settings file, INI format. It is read once when made; a value the file lacks, or holds in a form that does
// not fit (another type, a number out of range), reads as the setting's fallback, and a file that cannot be read or
// is larger than any the program writes counts as empty. save() writes every value set since, and only those.
class Settings
{
public:
    // The user's file: <user configuration folder>/<organisation>/<application>.ini, the names being those that
    // main() gives the application; empty when the system names no configuration folder.
    static QString userFile();
    // A file larger than this is not read: no settings file of the program comes near it.
    static constexpr qint64 MaximumFileSize = 16 * 1024 * 1024;

    // An empty file name keeps the settings in memory only.
    explicit Settings(const QString& file);

    QString file() const { return m_file; }

    QString value(const TextSetting& setting) const;
    int value(const NumberSetting& setting) const;
    QByteArray value(const BytesSetting& setting) const;
    void setValue(const TextSetting& setting, const QString& value);
    void setValue(const NumberSetting& setting, int value);
    void setValue(const BytesSetting& setting, const QByteArray& value);

    // The PDF options as one value; options that the core's check refuses read as the defaults.
    PdfOptions pdfOptions() const;
    void setPdfOptions(const PdfOptions& options);

    // Forgets everything read and set: every value is its fallback.
    void clear();
    // Writes the values set in place of the file's, unless they would make a file too large to be read. The file
    // is replaced only once the new one has been written whole, so a failed save leaves the former file as it was;
    // a damaged one, which QSettings cannot read whole, is deleted first.
    Result<> save() const;

private:
    QVariant raw(const QString& key) const;

    QString m_file;
    QVariantMap m_read;
    QVariantMap m_set;
};
