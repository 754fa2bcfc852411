// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QListWidget>

class QFileSystemWatcher;

// The three linked controls of the article browser: drives, the folder path with its subfolders, and the article
// files of that folder. Each keeps its former state when asked for a drive or folder that cannot be read.

// The row of the selected item of a single-selection list, or -1. An item that is only current (as keyboard focus
// makes one) does not count.
int selectedRow(const QListWidget* list);

class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    QString drive() const { return currentText(); }
    // Shows the drive that holds folder, without raising changed().
    void setDriveOf(const QString& folder);

signals:
    // The user chose a drive.
    void changed();
};

// A list of what one folder holds; path() is the folder shown.
class FolderEntryList : public QListWidget
{
    Q_OBJECT

public:
    QString path() const { return m_path; }

signals:
    // Another folder is shown, or what it holds has changed.
    void changed();

protected:
    explicit FolderEntryList(QWidget* parent);

    QString m_path;
};

class FolderList : public FolderEntryList
{
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    // Shows folder, its way up to the root and its subfolders, and raises changed(). False, with nothing changed,
    // when the folder cannot be read.
    bool setPath(const QString& folder);
};

// The list follows its folder: files added, removed or renamed there, by this program or another, show up at once.
class ArticleFileList : public FolderEntryList
{
    Q_OBJECT

public:
    explicit ArticleFileList(QWidget* parent = nullptr);

    // Lists the article files of folder, none of them current, and raises changed(). False, with nothing changed,
    // when the folder cannot be read.
    bool setPath(const QString& folder);
    // Lists the folder's files again when they changed, the current file staying current while it is there, and
    // raises changed().
    void refresh();

    QString fileName(int index) const;
    // The current entry, or -1.
    int currentEntry() const { return selectedRow(this); }

private:
    QFileSystemWatcher* m_watcher;
};
