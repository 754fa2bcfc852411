#include "FolderBrowser.h"

#include "ArticleFolder.h"

#include <QDir>

int SelectedRow(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

DriveListBox::DriveListBox(QWidget* parent)
    : QComboBox(parent) {
    for (const QFileInfo& drive : QDir::drives())
        addItem(QDir::toNativeSeparators(drive.absoluteFilePath()));
    connect(this, &QComboBox::activated, this, &DriveListBox::Change);
}

void DriveListBox::setDriveOf(const QString& folder) {
    QStringList drives;
    for (int i = 0; i < count(); ++i)
        drives.append(itemText(i));
    setCurrentText(ArticleFolder::DriveOf(folder, drives));
}

DirListBox::DirListBox(QWidget* parent)
    : QListWidget(parent) {
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(item->data(Qt::UserRole).toString()); });
}

bool DirListBox::setPath(const QString& folder) {
    const QString path = ArticleFolder::DisplayPath(folder);
    const std::optional<QStringList> subFolders = ArticleFolder::SubFolderNames(path);
    if (!subFolders)
        return false;

    m_path = path;
    clear();
    const QIcon openFolder = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QStringList chain = ArticleFolder::FolderChain(path);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString name = depth == 0 ? chain[depth] : QDir(chain[depth]).dirName();
        auto* item = new QListWidgetItem(openFolder, QString(2 * depth, u' ') + name, this);
        item->setData(Qt::UserRole, chain[depth]);
    }
    setCurrentRow(count() - 1);

    const QIcon closedFolder = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString indent(2 * chain.size(), u' ');
    for (const QString& name : *subFolders) {
        auto* item = new QListWidgetItem(closedFolder, indent + name, this);
        item->setData(Qt::UserRole, QDir(path).filePath(name));
    }
    emit Change();
    return true;
}

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent) {
    setUniformItemSizes(true);
}

bool FileListBox::setPath(const QString& folder) {
    const QString path = ArticleFolder::DisplayPath(folder);
    const std::optional<QStringList> names = ArticleFolder::ArticleFileNames(path);
    if (!names)
        return false;
    m_path = path;
    clear();
    addItems(*names);
    setCurrentRow(-1);
    return true;
}

QString FileListBox::fileName(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}
