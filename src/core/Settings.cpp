// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Settings.h"

#include "core/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <limits>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("Settings", text);
}

bool isDamaged(const QString& file)
{
    const QSettings settings(file, QSettings::IniFormat);
    // Every section is parsed, and a damaged one found.
    settings.allKeys();
    return settings.status() == QSettings::FormatError;
}
} // namespace

QString Settings::userFile()
{
    // The place QSettings itself would choose, found without QSettings, which would read the file at once.
    const QString folder = Platform::settingsFolder();
    // Without a configuration folder nothing is remembered, rather than a file made in the current folder.
    if (folder.isEmpty())
        return {};
    const QDir config(folder);
    return config.filePath(QCoreApplication::organizationName() + '/' + QCoreApplication::applicationName() + ".ini");
}

Settings::Settings(const QString& file)
    : m_file(file)
{
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile() || info.size() > MaximumFileSize)
        return;
    const QSettings settings(file, QSettings::IniFormat);
    for (const QString& key : settings.allKeys()) {
        // A damaged file can yield an empty key, which QSettings will not look up.
        if (!key.isEmpty())
            m_read.insert(key, settings.value(key));
    }
}

QVariant Settings::raw(const QString& key) const
{
    const auto set = m_set.constFind(key);
    return set != m_set.cend() ? *set : m_read.value(key);
}

QString Settings::value(const TextSetting& setting) const
{
    const QVariant value = raw(setting.key);
    return value.typeId() == QMetaType::QString ? value.toString() : setting.fallback;
}

int Settings::value(const NumberSetting& setting) const
{
    bool ok = false;
    const QVariant value = raw(setting.key);
    // A list or a byte array converts to no number; a text or a number does.
    const int number = value.typeId() == QMetaType::QString || value.typeId() == QMetaType::Int ? value.toInt(&ok) : 0;
    return ok && number >= setting.minimum && number <= setting.maximum ? number : setting.fallback;
}

QByteArray Settings::value(const BytesSetting& setting) const
{
    const QVariant value = raw(setting.key);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

void Settings::setValue(const TextSetting& setting, const QString& value)
{
    m_set.insert(setting.key, value);
}

void Settings::setValue(const NumberSetting& setting, int value)
{
    m_set.insert(setting.key, value);
}

void Settings::setValue(const BytesSetting& setting, const QByteArray& value)
{
    m_set.insert(setting.key, value);
}

void Settings::clear()
{
    m_read.clear();
    m_set.clear();
}

Result<> Settings::save() const
{
    if (m_file.isEmpty())
        return Result<>::ok();
    // Nothing set: every value is its fallback, which no file at all says too.
    if (m_set.isEmpty()) {
        if (QFile::remove(m_file) || !QFileInfo::exists(m_file))
            return Result<>::ok();
        return Error{tr("%1 could not be deleted.").arg(m_file)};
    }
    // The values alone: their file is no smaller, and a file larger than this is not read back.
    qint64 size = 0;
    for (auto it = m_set.cbegin(); it != m_set.cend(); ++it)
        size += it.key().size() + it.value().toByteArray().size();
    if (size > MaximumFileSize)
        return Error{tr("The settings are too large to be kept (over %1 MB).").arg(MaximumFileSize / (1024 * 1024))};
    if (!QDir().mkpath(QFileInfo(m_file).absolutePath()))
        return Error{tr("The folder of %1 could not be made.").arg(m_file)};
    // A damaged file's format error would stay the status of the save and hide how that went, so it goes first.
    if (isDamaged(m_file))
        QFile::remove(m_file);
    // QSettings replaces the file only once the new one has been written whole.
    QSettings settings(m_file, QSettings::IniFormat);
    settings.clear(); // the values set, and only those
    for (auto it = m_set.cbegin(); it != m_set.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return Error{tr("%1 could not be written.").arg(m_file)};
    return Result<>::ok();
}

namespace {
std::optional<double>* margins(ConverterOptions& page, int side)
{
    std::optional<double>* sides[] = {&page.marginTop, &page.marginRight, &page.marginBottom, &page.marginLeft};
    return sides[side];
}
} // namespace

PdfOptions Settings::pdfOptions() const
{
    PdfOptions options;
    ConverterOptions& page = options.page;
    page.pageSize = value(Remembered::PageSize);
    page.orientation = value(Remembered::Landscape) ? ConverterOptions::Orientation::Landscape
                                                    : ConverterOptions::Orientation::Portrait;
    for (int side = 0; side < 4; ++side) {
        if (const QString text = value(Remembered::Margins[side]); !text.isEmpty()) {
            bool ok = false;
            const double millimetres = text.toDouble(&ok);
            *margins(page, side) = ok ? millimetres : std::numeric_limits<double>::quiet_NaN();
        }
    }
    page.allowScripts = value(Remembered::AllowScripts) != 0;
    options.author = value(Remembered::Author);
    if (!page.check())
        options.page = ConverterOptions();
    return options;
}

void Settings::setPdfOptions(const PdfOptions& options)
{
    ConverterOptions page = options.page;
    setValue(Remembered::PageSize, page.pageSize);
    setValue(Remembered::Landscape, page.orientation == ConverterOptions::Orientation::Landscape);
    for (int side = 0; side < 4; ++side) {
        const std::optional<double> margin = *margins(page, side);
        setValue(Remembered::Margins[side], margin ? QString::number(*margin) : QString());
    }
    setValue(Remembered::AllowScripts, page.allowScripts);
    setValue(Remembered::Author, options.author);
}
