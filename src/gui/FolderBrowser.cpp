// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/FolderBrowser.h"

#include "core/ArticleFolder.h"
#include "gui/DesignGeometry.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QStyledItemDelegate>

namespace {
constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentPerLevel = 10;

// Indents each folder entry, icon and name, by its depth below the root.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.adjust(index.data(DepthRole).toInt() * IndentPerLevel, 0, 0, 0);
    }
};

void addFolder(QListWidget* list, const QIcon& icon, const QString& name, const QString& path, qsizetype depth)
{
    auto* item = new QListWidgetItem(icon, name, list);
    item->setData(Qt::UserRole, path);
    item->setData(DepthRole, depth);
}
} // namespace

int selectedRow(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent)
{
    for (const QFileInfo& drive : QDir::drives())
        addItem(QDir::toNativeSeparators(drive.absoluteFilePath()));
    connect(this, &QComboBox::activated, this, &DriveList::changed);
}

void DriveList::setDriveOf(const QString& folder)
{
    QStringList drives;
    for (int i = 0; i < count(); ++i)
        drives.append(itemText(i));
    setCurrentText(ArticleFolder::driveOf(folder, drives));
}

FolderEntryList::FolderEntryList(QWidget* parent)
    : QListWidget(parent)
{
    setUniformItemSizes(true);
}

FolderList::FolderList(QWidget* parent)
    : FolderEntryList(parent)
{
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(item->data(Qt::UserRole).toString()); });
}

bool FolderList::setPath(const QString& folder)
{
    const QString path = ArticleFolder::displayPath(folder);
    const std::optional<QStringList> subFolders = ArticleFolder::subFolderNames(path);
    if (!subFolders)
        return false;

    m_path = path;
    clear();
    const QIcon openFolder = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QStringList chain = ArticleFolder::folderChain(path);
    for (qsizetype depth = 0; depth < chain.size(); ++depth)
        addFolder(this, openFolder, depth == 0 ? chain[depth] : QDir(chain[depth]).dirName(), chain[depth], depth);
    setCurrentRow(count() - 1);

    const QIcon closedFolder = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const QString& name : *subFolders)
        addFolder(this, closedFolder, name, QDir(path).filePath(name), chain.size());
    emit changed();
    return true;
}

ArticleFileList::ArticleFileList(QWidget* parent)
    : FolderEntryList(parent)
    , m_watcher(new QFileSystemWatcher(this))
{
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &ArticleFileList::refresh);
}

bool ArticleFileList::setPath(const QString& folder)
{
    const QString path = ArticleFolder::displayPath(folder);
    const std::optional<QStringList> names = ArticleFolder::articleFileNames(path);
    if (!names)
        return false;
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_watcher->addPath(path);
    m_path = path;
    clear();
    addItems(*names);
    setCurrentRow(-1);
    emit changed();
    return true;
}

void ArticleFileList::refresh()
{
    const std::optional<QStringList> names = ArticleFolder::articleFileNames(m_path);
    if (!names || *names == DesignGeometry::itemsOf(this))
        return;
    const int entry = currentEntry();
    const QString current = entry < 0 ? QString() : fileName(entry);
    clear();
    addItems(*names);
    setCurrentRow(int(names->indexOf(current)));
    emit changed();
}

QString ArticleFileList::fileName(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}
