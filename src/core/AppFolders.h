// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

// The program's folder layout, the one place that knows where each file is read and written. There are two:
//
// Portable (an application folder the program may write): everything is the application folder (the executable's
// folder) followed by a fixed piece, joined with the platform's separator; pages are written to its bin folder
// and PDFs to bin/output. A doubled separator, which a join at a drive root makes, is collapsed.
//
// Installed (a system installation, or an application folder the user may not write): the shipped files are
// read from the installation, and the user's own copies of them in the user's data folder go first where they
// exist; pages and the run lock go to the user's data folder, PDFs to Documents/Leafrunner, or, when no
// Documents folder can be written, to the user's data folder's output folder. Nothing is written under the
// installation.
class AppFolders
{
public:
    // No layout, and no paths: a request's folders until its front end sets those it runs in.
    AppFolders() = default;
    // The portable layout of an application folder.
    explicit AppFolders(const QString& applicationFolder, QChar separator);
    // The installed layout. sharedData holds the shipped template.html, assets, random and lstcombinations.txt;
    // when empty they are read from the application folder's own layout. Makes the user's data folder, with a
    // copy of the shipped assets when it has none (the pages written there name them), and the output folder.
    static AppFolders installed(const QString& applicationFolder, const QString& sharedData, const QString& userData,
                                const QString& documents, QChar separator);
    // Installed when ../share/leafrunner beside the folder holds the shipped files, or when the folder takes no
    // files; portable otherwise.
    static AppFolders detect(const QString& applicationFolder, QChar separator);
    // The layout of the running executable's folder, with the platform's separator.
    static AppFolders current();

    QString application() const { return m_app; }
    QChar separator() const { return m_sep; }
    bool isInstalled() const { return !m_user.isEmpty(); }
    // The PDFs go to the user's data folder, since no Documents folder could be written.
    bool isOutputInDataFolder() const { return m_outputInData; }

    // Where pages and the run lock are written: the one local folder the converter may read.
    QString pages() const { return m_pages; }
    // The page template in use: the user's copy when there is one, else the shipped one. Windows opens it whatever
    // the letter case of its name; where the file system tells letter case apart, "template.html" is taken when
    // it is there, else the file whose name differs only in case.
    QString pageTemplate() const;
    // The converter and its image tool: those in the application folder's bin folder; in the installed layout,
    // when that has none, those found on the PATH.
    QString converter() const;
    QString imageTool() const;
    QString output() const { return m_output; }
    QString keywordList() const;
    QString wordFile(int number) const;
    QString pageFile(const QString& pageName) const;
    QString pdfFile(const QString& pdfName) const;

    // The lines of the keyword list file (the combination patterns) in file order; empty when the file is missing
    // or cannot be read.
    QStringList keywordPatterns() const;
    // Creates the output folder when it is missing. Only the last level is made: without a bin folder nothing is
    // created. True when the folder exists afterwards.
    bool ensureOutput() const;
    // The page template for the user to edit: in the installed layout the user's copy, made from the shipped one
    // first when there is none.
    Result<QString> editableTemplate() const;

    // folder, separator, name; a doubled separator collapsed.
    static QString join(const QString& folder, const QString& name, QChar separator);

private:
    QString under(const QString& folder, const QStringList& pieces) const;
    // The user's copy of a shipped file when there is one, else the shipped file.
    QString userFirst(const QString& folder, const QStringList& pieces) const;
    QString tool(const QString& fileName) const;

    QString m_app;
    QChar m_sep;
    QString m_shippedBin;  // the shipped page template and its assets
    QString m_shippedData; // the shipped word lists and keyword list
    QString m_user;        // the user's data folder; empty in the portable layout
    QString m_pages;
    QString m_output;
    bool m_outputInData = false;
};
