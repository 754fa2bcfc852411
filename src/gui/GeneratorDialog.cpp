// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GeneratorDialog.h"

#include "core/GeneratedArticle.h"
#include "core/TextFile.h"
#include "gui/DesignGeometry.h"
#include "gui/MessageBox.h"
#include "ui_GeneratorDialog.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QScrollArea>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

using namespace DesignGeometry;

namespace {

// Generate works in slices: each turn of the event loop writes pages into the text box for at most this long, then
// lets the window repaint, answer the user and animate its title. 200 pages take a few milliseconds in all; the
// largest count, a text of some 28 million characters, fills the box over a second or so without freezing it.
constexpr int sliceMilliseconds = 10;

} // namespace

GeneratorDialog::GeneratorDialog(const AppFolders& folders, std::function<QString()> articleFolder,
                                 std::function<void()> refreshArticleFiles, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::GeneratorDialog>())
    , m_folders(folders)
    , m_articleFolder(std::move(articleFolder))
    , m_refreshArticleFiles(std::move(refreshArticleFiles))
{
    m_ui->setupUi(this);
    // The controls keep their design places on a canvas of the design size, which scrolls in a smaller window.
    const QSize design = size();
    auto* canvas = new QWidget;
    canvas->setFixedSize(design);
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect place = control->geometry();
        control->setParent(canvas);
        control->setGeometry(place);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("scrollGenerator");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(canvas);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    setMaximumSize(design);
    resize(fittedSize(this, design));

    m_titleTimer = new QTimer(this);
    m_titleTimer->setObjectName("tmrPleaseWait");
    m_titleTimer->setInterval(500);
    m_slice = new QTimer(this);

    connect(m_ui->Command1, &QPushButton::clicked, this, &GeneratorDialog::generate);
    connect(m_ui->cmdSave, &QPushButton::clicked, this, &GeneratorDialog::save);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &GeneratorDialog::close);
    connect(m_titleTimer, &QTimer::timeout, this, &GeneratorDialog::blinkTitle);
    connect(m_slice, &QTimer::timeout, this, &GeneratorDialog::generateSlice);

    loadWordLists();
}

GeneratorDialog::~GeneratorDialog() = default;

GeneratorDialog* GeneratorDialog::launch(const AppFolders& folders, std::function<QString()> articleFolder,
                                         std::function<void()> refreshArticleFiles, QWidget* parent)
{
    auto* window = new GeneratorDialog(folders, std::move(articleFolder), std::move(refreshArticleFiles), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

void GeneratorDialog::loadWordLists()
{
    m_words = RandomText::loadWordLists(m_folders);

    for (int pages = 1; pages <= 200; ++pages)
        m_ui->cboParagraphs->addItem(QString::number(pages));
    m_ui->cboParagraphs->setCurrentIndex(9);

    // Told once the window is up, not before it appears.
    QTimer::singleShot(0, this, &GeneratorDialog::reportMissingWordFiles);
}

bool GeneratorDialog::reportMissingWordFiles()
{
    const QString missing = RandomText::missingWords(m_words, m_folders);
    if (missing.isEmpty())
        return false;
    MessageBox::warning(this, missing, tr("Error"));
    return true;
}

void GeneratorDialog::setButtonsEnabled(bool enabled)
{
    m_ui->cmdClose->setEnabled(enabled);
    m_ui->cmdSave->setEnabled(enabled);
    m_ui->Command1->setEnabled(enabled);
}

void GeneratorDialog::generate()
{
    if (reportMissingWordFiles())
        return;
    const Result<int> lastPage = RandomText::parsePageCount(m_ui->cboParagraphs->currentText());
    if (!lastPage) {
        MessageBox::information(this, lastPage.error(), tr("Error"));
        return;
    }
    if (*lastPage > 50 &&
        !MessageBox::question(this,
                              tr("Please notice that over 50 pages make a long text that can take a few seconds "
                                 "to show. Want to go on?"),
                              tr("Please Confirm")))
        return;

    setButtonsEnabled(false);
    m_ui->RichTextBox1->clear();
    // Nothing may be typed between the pages, and the pages are not edits to undo.
    m_ui->RichTextBox1->setReadOnly(true);
    m_ui->RichTextBox1->document()->setUndoRedoEnabled(false);
    m_titleTimer->start();
    m_keywordPool.append(TextFile::splitLines(m_ui->txtKeywords->toPlainText(), TextFile::EmptyLines::Skip));

    m_run.emplace(*lastPage, m_words, m_keywordPool, *QRandomGenerator::global());
    m_slice->start();
}

void GeneratorDialog::generateSlice()
{
    QElapsedTimer clock;
    clock.start();
    QTextCursor end(m_ui->RichTextBox1->document());
    end.movePosition(QTextCursor::End);
    // The box lays out once per slice, not once per page.
    end.beginEditBlock();
    while (!m_run->atEnd() && clock.elapsed() < sliceMilliseconds)
        end.insertText(m_run->nextPage());
    end.endEditBlock();
    if (!m_run->atEnd())
        return;

    stopGenerating();
    emit generated();
}

void GeneratorDialog::stopGenerating()
{
    m_slice->stop();
    m_run.reset();
    m_titleTimer->stop();
    setWindowTitle(tr("Random Content Generator"));
    m_ui->RichTextBox1->setReadOnly(false);
    m_ui->RichTextBox1->document()->setUndoRedoEnabled(true);
    setButtonsEnabled(true);
}

void GeneratorDialog::blinkTitle()
{
    if (m_titleDots.isEmpty())
        m_titleDots = "..";
    setWindowTitle(tr("Random Content Generator (Working, Please Wait ...%1)").arg(m_titleDots));
    m_titleDots = m_titleDots == ".." ? "...." : "..";
}

void GeneratorDialog::save()
{
    const QString text = GeneratedArticle::fileText(m_ui->RichTextBox1->toPlainText());
    const QString name = m_ui->txtFilename->text();
    if (const Result<void, Message> checked = GeneratedArticle::check(text, name); !checked) {
        MessageBox::information(this, checked.error().text, checked.error().title);
        return;
    }

    const QString path = GeneratedArticle::path(m_articleFolder(), name, m_folders.separator());
    if (QFileInfo::exists(path) &&
        !MessageBox::question(this, tr("\"%1\" already exists. Do you want to replace it?").arg(path),
                              tr("Please Confirm"), MessageBox::No))
        return;
    if (const Result<> saved = TextFile::save(text, path); !saved) {
        MessageBox::warning(this, tr("The file \"%1\" could not be saved: %2").arg(path, saved.error()), tr("Error"));
        return;
    }
    m_refreshArticleFiles();
    MessageBox::information(this, tr("Done! You can now close this window."), tr("Done"));
}

void GeneratorDialog::done(int result)
{
    if (m_run)
        stopGenerating();
    QDialog::done(result);
}
