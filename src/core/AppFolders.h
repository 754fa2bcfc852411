#pragma once

#include <QString>
#include <QStringList>

// The program's folder layout: every fixed path is the application folder (the executable's folder) followed by
// a fixed piece, joined with the platform's separator. A doubled separator, which a join at a drive root makes,
// is collapsed.
class AppFolders
{
public:
    explicit AppFolders(const QString& applicationFolder, QChar separator);
    // The folder of the running executable, with the platform's separator.
    static AppFolders current();

    QString application() const { return m_app; }
    QChar separator() const { return m_sep; }

    QString bin() const;
    QString pageTemplate() const;
    QString converter() const;
    QString imageTool() const;
    QString output() const;
    QString keywordList() const;
    QString random() const;
    QString wordFile(int number) const;
    QString pageFile(const QString& pageName) const;
    QString pdfFile(const QString& pdfName) const;

    // The lines of the keyword list file (the combination patterns) in file order; empty when the file is missing
    // or cannot be read.
    QStringList keywordPatterns() const;
    // Creates the output folder when it is missing. Only the last level is made: without a bin folder nothing is
    // created. True when the folder exists afterwards.
    bool ensureOutput() const;

    // folder, separator, name; a doubled separator collapsed.
    static QString join(const QString& folder, const QString& name, QChar separator);

private:
    QString under(const QStringList& pieces) const;

    QString m_app;
    QChar m_sep;
};
