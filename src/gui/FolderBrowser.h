#pragma once

#include <QComboBox>
#include <QListWidget>

class QFileSystemWatcher;

// The three linked controls of the article browser: drives, the folder path with its subfolders, and the article
// files of that folder. Each keeps its former state when asked for a drive or folder that cannot be read.

// The row of the selected item of a single-selection list, or -1. An item that is only current (as keyboard focus
// makes one) does not count.
int SelectedRow(const QListWidget* list);

class DriveListBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveListBox(QWidget* parent = nullptr);

    QString drive() const { return currentText(); }
    // Shows the drive that holds folder, without raising Change.
    void setDriveOf(const QString& folder);

signals:
    // The user chose a drive.
    void Change();
};

class DirListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Shows folder, its way up to the root and its subfolders, and raises Change. False, with nothing changed,
    // when the folder cannot be read.
    bool setPath(const QString& folder);

signals:
    void Change();

private:
    QString m_path;
};

// The list follows its folder: files added, removed or renamed there, by this program or another, show up at once.
class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Lists the article files of folder, none of them current, and raises Change. False, with nothing changed, when
    // the folder cannot be read.
    bool setPath(const QString& folder);
    // Lists the folder's files again when they changed, the current file staying current while it is there, and
    // raises Change.
    void refresh();

    QString fileName(int index) const;
    // The current entry, or -1.
    int currentEntry() const { return SelectedRow(this); }

signals:
    // The files listed have changed.
    void Change();

private:
    QString m_path;
    QFileSystemWatcher* m_watcher;
};
