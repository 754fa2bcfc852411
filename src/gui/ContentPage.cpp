// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ContentPage.h"

#include "core/AppFolders.h"
#include "core/ArticleFolder.h"
#include "core/Platform.h"
#include "gui/DesignGeometry.h"
#include "gui/MainLayout.h"
#include "gui/MessageBox.h"
#include "gui/RememberedControls.h"
#include "ui_ContentPage.h"

#include <QDropEvent>
#include <QMimeData>

using namespace DesignGeometry;

ContentPage::ContentPage(RememberedControls& remembered, QWidget* parent)
    : QGroupBox(parent)
    , m_ui(std::make_unique<Ui::ContentPage>())
{
    m_ui->setupUi(this);
    // The captions' size in the font in force.
    for (QLabel* label : {m_ui->Label3, m_ui->Label4})
        label->adjustSize();
    m_ui->cmdArticlesTools->installEventFilter(this);
    setColor(m_ui->lstSelectedArticles, QPalette::Base, QColor(255, 255, 192));
    // Articles and folders dragged from a file manager land on the list's viewport.
    m_ui->lstSelectedArticles->viewport()->setAcceptDrops(true);
    m_ui->lstSelectedArticles->viewport()->installEventFilter(this);

    const QRadioButton* modes[] = {m_ui->optCreationMode_0, m_ui->optCreationMode_1};
    for (int i = 0; i < 2; ++i)
        connect(modes[i], &QRadioButton::clicked, this, [this, i] { setCreationMode(i); });
    remembered.bind({m_ui->optCreationMode_0, m_ui->optCreationMode_1}, Remembered::CreationMode);
    const QPushButton* commands[] = {m_ui->cmdSingleMenu_0, m_ui->cmdSingleMenu_1, m_ui->cmdSingleMenu_2,
                                     m_ui->cmdSingleMenu_3};
    for (int i = 0; i < 4; ++i)
        connect(commands[i], &QPushButton::clicked, this, [this, i] { runArticleCommand(i); });

    // A drive that cannot be read leaves the folder, the files and the count as they were.
    connect(m_ui->Drive1, &DriveList::changed, this, [this] { m_ui->Dir1->setPath(m_ui->Drive1->drive()); });
    connect(m_ui->Dir1, &FolderList::changed, this, [this] { m_ui->File1->setPath(m_ui->Dir1->path()); });
    connect(m_ui->File1, &ArticleFileList::changed, this,
            [this] { m_ui->lblFilesFound->setText(QString::number(m_ui->File1->count())); });
    connect(m_ui->File1, &QListWidget::itemDoubleClicked, this, [this] { runArticleCommand(2); });
    connect(m_ui->lstSelectedArticles, &QListWidget::itemDoubleClicked, this, [this] { runArticleCommand(3); });
    // A click opens the menu at the pointer; a key opens it below the button.
    connect(m_ui->cmdArticlesTools, &QPushButton::clicked, this, [this] {
        QPushButton* button = m_ui->cmdArticlesTools;
        emit optionsRequested(m_menuAtPointer ? QCursor::pos() : button->mapToGlobal(button->rect().bottomLeft()));
        m_menuAtPointer = false;
    });
}

ContentPage::~ContentPage() = default;

QStringList ContentPage::articles() const
{
    return itemsOf(m_ui->lstSelectedArticles);
}

CreationMode ContentPage::creationMode() const
{
    return m_ui->optCreationMode_0->isChecked() ? CreationMode::Single : CreationMode::Bulk;
}

QString ContentPage::articleFolder() const
{
    return m_ui->Dir1->path();
}

void ContentPage::showArticleFolder(const QString& remembered, const QString& fallback)
{
    // The folder change brings the file list and the files-found count along.
    QString folder = remembered;
    if (folder.isEmpty() || !m_ui->Dir1->setPath(folder)) {
        folder = fallback;
        m_ui->Dir1->setPath(folder);
    }
    m_ui->Drive1->setDriveOf(ArticleFolder::displayPath(folder));
}

void ContentPage::refreshArticleFiles()
{
    m_ui->File1->refresh();
}

void ContentPage::markArticle(int row)
{
    if (row < m_ui->lstSelectedArticles->count())
        m_ui->lstSelectedArticles->setCurrentRow(row);
}

QWidget* ContentPage::entryBox(Entry entry) const
{
    return entry == Entry::Articles ? m_ui->File1 : nullptr;
}

void ContentPage::applyLayout(const MainLayout& layout)
{
    setLeftAndWidth(m_ui->frSinglePDFCreation, layout.singleLeft, layout.singleWidth);
    setLeftAndWidth(m_ui->lstSelectedArticles, layout.selectedLeft, layout.selectedWidth);
    setLeftAndWidth(m_ui->lblDropNote, layout.selectedLeft, layout.selectedWidth);
}

void ContentPage::setCreationMode(int index)
{
    const bool single = index == 0;
    m_ui->lblPDFContentHeadline->setText(single ? tr("The Software Will Create 1 PDF From Each One of these Articles:")
                                                : tr("The Software Will Create 1 PDF For Each One of these Articles:"));
    m_ui->frSinglePDFCreation->setTitle(single ? tr("Single PDF Creation") : tr("Bulk PDF Creation"));
    emit creationModeChanged(single ? CreationMode::Single : CreationMode::Bulk);
}

// Every change of the selected articles comes through here or through a drop.
void ContentPage::runArticleCommand(int index)
{
    switch (index) {
    case 0:
        addAllArticles();
        break;
    case 1:
        m_ui->lstSelectedArticles->clear();
        break;
    case 2:
        addSelectedArticle();
        break;
    case 3:
        removeSelectedArticle();
        break;
    }
    emit articlesChanged(m_ui->lstSelectedArticles->count());
}

void ContentPage::addAllArticles()
{
    ArticleFileList* files = m_ui->File1;
    const int count = files->count();
    if (count == 0)
        return;
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i)
        paths.append(AppFolders::join(files->path(), files->fileName(i), Platform::separator()));
    m_ui->lstSelectedArticles->addItems(paths);
    // The walk along the file list ends on its last entry.
    files->setCurrentRow(count - 1);
}

void ContentPage::addSelectedArticle()
{
    const int entry = m_ui->File1->currentEntry();
    if (entry < 0) {
        MessageBox::information(this, tr("Please select a file first."), tr("Error"));
        return;
    }
    m_ui->lstSelectedArticles->addItem(
        AppFolders::join(m_ui->File1->path(), m_ui->File1->fileName(entry), Platform::separator()));
}

void ContentPage::removeSelectedArticle()
{
    const int selected = selectedRow(m_ui->lstSelectedArticles);
    if (selected < 0) {
        MessageBox::information(this, tr("Please select a file first."), tr("Error"));
        return;
    }
    delete m_ui->lstSelectedArticles->takeItem(selected);
    // As with a removed item in any list box, nothing is selected afterwards.
    m_ui->lstSelectedArticles->setCurrentRow(-1);
}

void ContentPage::addDroppedArticles(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls)
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    const ArticleFolder::Dropped dropped = ArticleFolder::droppedArticles(paths);
    m_ui->lstSelectedArticles->addItems(dropped.articles);
    m_ui->lblDropNote->setText(
        dropped.ignored.isEmpty() ? QString() : tr("Not added, not .txt files: %1").arg(dropped.ignored.join(", ")));
    emit articlesChanged(m_ui->lstSelectedArticles->count());
}

bool ContentPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->cmdArticlesTools && event->type() == QEvent::MouseButtonRelease)
        m_menuAtPointer = true;
    if (watched == m_ui->lstSelectedArticles->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasUrls()) {
                addDroppedArticles(drop->mimeData()->urls());
                drop->acceptProposedAction();
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}
