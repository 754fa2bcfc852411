#pragma once

#include "core/AppFolders.h"

#include <QString>
#include <QTemporaryDir>

// A temporary application folder laid out as the installed program's: bin with the page template and its
// scripts, the word lists and the keyword list file, and in bin the real converter or a stand-in script.
class TestAppFolder
{
public:
    enum Converter { RealConverter, NoConverter };
    // With a folder name, the application folder is a folder of that name inside the temporary folder.
    explicit TestAppFolder(Converter converter = RealConverter, const QString& folderName = {});

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_path; }
    AppFolders folders() const;

    // Puts an executable shell script in place of the converter; the converter's options are shifted away into
    // $options (each after a blank) before it runs, so that $1 is the page and $2 the PDF path.
    void setConverterScript(const QString& script) const;

    // Writes a file under the folder (relative path with "/"), making folders as needed; returns its path.
    QString writeFile(const QString& relativePath, const QByteArray& bytes) const;
    static QByteArray readFile(const QString& path);

private:
    QTemporaryDir m_dir;
    QString m_path;
};
