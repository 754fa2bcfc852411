// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppFolders.h"
#include "core/Platform.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

// For what the Windows build cannot test: the real converter and the PDF tools, POSIX signals and FIFOs.
#ifdef Q_OS_WIN
#define SKIP_ON_WINDOWS(why) QSKIP(why)
#else
#define SKIP_ON_WINDOWS(why)
#endif

// A temporary application folder laid out as the installed program's: bin with the page template and its
// scripts, the word lists and the keyword list file, and in bin the real converter or a stand-in.
class TestAppFolder
{
public:
    enum Converter { RealConverter, NoConverter };

    // With a folder name, the application folder is a folder of that name inside the temporary folder.
    explicit TestAppFolder(Converter converter = RealConverter, const QString& folderName = {})
        : m_path(folderName.isEmpty() ? m_dir.path() : m_dir.filePath(folderName))
    {
        QDirIterator it(LEAF_DATA_DIR, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString name = QDir(LEAF_DATA_DIR).relativeFilePath(it.next());
            if (name.startsWith("bin/") || name.startsWith("random/") || name == "lstcombinations.txt")
                writeFile(name, readFile(it.filePath()));
        }
        if (converter == RealConverter)
            QFile::link(LEAF_SYSTEM_CONVERTER, folders().converter());
    }

    QString path() const { return m_path; }
    AppFolders folders() const { return AppFolders(QDir::toNativeSeparators(m_path), Platform::separator()); }

    // Puts the stand-in converter in place of the converter, acting out the script given (stand_in_converter.cpp).
    void setConverterScript(const QString& script) const
    {
        QFile::remove(folders().converter());
        writeFile("bin/stand-in.txt", script.toUtf8());
        QFile::copy(LEAF_STAND_IN_CONVERTER, folders().converter());
    }

    // Writes a file under the folder (relative path with "/"), making folders as needed; returns its path.
    QString writeFile(const QString& relativePath, const QByteArray& bytes) const
    {
        const QString target = m_path + "/" + relativePath;
        QDir().mkpath(QFileInfo(target).path());
        QFile file(target);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
        return target;
    }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
