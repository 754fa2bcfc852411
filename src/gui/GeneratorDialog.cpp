#include "gui/GeneratorDialog.h"

#include "core/GeneratedArticle.h"
#include "gui/DesignGeometry.h"
#include "gui/MessageBox.h"
#include "core/TextFile.h"
#include "core/vTools.h"
#include "core/FileNames.h"
#include "core/Platform.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

using namespace Controls;

namespace {

const QString title = QStringLiteral("Random Content Generator");

// Generate works in slices: each turn of the event loop writes pages into the text box for at most this long, then
// lets the window repaint, answer the user and animate its title. 200 pages take a few milliseconds in all; the
// largest count, a text of some 28 million characters, fills the box over a second or so without freezing it.
constexpr int sliceMilliseconds = 10;

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width, int height,
              std::optional<QFont> font = std::nullopt)
{
    auto* widget = place(new QLabel(caption, parent), name, left, top, width, height);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (font)
        widget->setFont(*font);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top, int width, int height)
{
    auto* widget = place(new QPushButton(caption, parent), name, left, top, width, height);
    // Enter in a text box does not press a button.
    widget->setAutoDefault(false);
    return widget;
}

QListWidget* hiddenList(QWidget* parent, const QString& name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->hide();
    return list;
}

} // namespace

frmRC::frmRC(const AppFolders& folders, std::function<QString()> articleFolder,
             std::function<void()> refreshArticleFiles, QWidget* parent)
    : QDialog(parent)
    , m_folders(folders)
    , m_articleFolder(std::move(articleFolder))
    , m_refreshArticleFiles(std::move(refreshArticleFiles))
{
    setObjectName("frmRC");
    setWindowTitle(title);
    setFixedSize(16845 / 15, 8490 / 15);

    label(this, "Label1", "Number of Pages (Estimated):", 405, 270, 3120, 465, verdana(9, true));
    m_cboParagraphs = place(new QComboBox(this), "cboParagraphs", 3690, 270, 3525, 315);
    m_cboParagraphs->setEditable(true);
    m_cboParagraphs->setInsertPolicy(QComboBox::NoInsert);
    m_Command1 = button(this, "Command1", "Generate", 7560, 180, 1590, 555);
    label(this, "Label2", "Save as ", 9405, 315, 2130, 330);
    m_txtFilename = place(new QLineEdit(this), "txtFilename", 10260, 225, 2040, 420);
    label(this, "Label3", ".txt", 12420, 315, 2130, 330);
    m_cmdSave = button(this, "cmdSave", "Save File", 13590, 180, 1590, 555);
    m_RichTextBox1 = place(new QPlainTextEdit(this), "RichTextBox1", 405, 900, 15765, 3480);
    m_RichTextBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
    label(this, "Label6",
          "Comment: The software generates random content (not readable) but may help you to increase the size of a "
          "PDF. ",
          405, 4455, 15675, 465, verdana(9, false, true));
    label(this, "Label4", "Randomly Add Some of the Following Keywords to the Content (Optional):", 450, 5040, 11310,
          465, verdana(9, true));
    m_txtKeywords = place(new QPlainTextEdit(this), "txtKeywords", 495, 5670, 12210, 1275);
    m_txtKeywords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    label(this, "Label5", "Please enter 1 keyword per line.", 495, 7020, 6360, 465, verdana(9));
    m_cmdClose = button(this, "cmdClose", "Close", 7245, 7695, 2220, 600);

    m_lstRandomKeywords = hiddenList(this, "lstRandomKeywords");
    for (int i = 0; i < RandomText::WordListCount; ++i)
        m_lstContent[i] = hiddenList(this, QString("lstContent_%1").arg(i));

    m_tmrPleaseWait = new QTimer(this);
    m_tmrPleaseWait->setObjectName("tmrPleaseWait");
    m_tmrPleaseWait->setInterval(500);
    m_slice = new QTimer(this);

    connect(m_Command1, &QPushButton::clicked, this, &frmRC::Command1_Click);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmRC::cmdSave_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &frmRC::close);
    connect(m_tmrPleaseWait, &QTimer::timeout, this, &frmRC::tmrPleaseWait_Timer);
    connect(m_slice, &QTimer::timeout, this, &frmRC::generateSlice);

    Form_Load();
}

frmRC* frmRC::Open(const AppFolders& folders, std::function<QString()> articleFolder,
                   std::function<void()> refreshArticleFiles, QWidget* parent)
{
    auto* window = new frmRC(folders, std::move(articleFolder), std::move(refreshArticleFiles), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

void frmRC::Form_Load()
{
    for (int i = 0; i < RandomText::WordListCount; ++i)
        m_lstContent[i]->addItems(LoadWords(m_folders.wordFile(i + 1)));

    for (int pages = 1; pages <= 200; ++pages)
        m_cboParagraphs->addItem(QString::number(pages));
    m_cboParagraphs->setCurrentIndex(9);

    // Told once the window is up, not before it appears.
    QTimer::singleShot(0, this, &frmRC::reportMissingWordFiles);
}

bool frmRC::reportMissingWordFiles()
{
    QStringList missing;
    for (int i = 0; i < RandomText::WordListCount; ++i) {
        if (m_lstContent[i]->count() == 0)
            missing.append(m_folders.wordFile(i + 1));
    }
    if (missing.isEmpty())
        return false;
    MessageBox::warning(this,
                        "Content cannot be generated: these word files are missing or hold no words. Each needs one "
                        "word per line.\n\n" +
                            missing.join('\n'),
                        "Error");
    return true;
}

RandomText::WordLists frmRC::wordLists() const
{
    RandomText::WordLists words;
    for (int i = 0; i < RandomText::WordListCount; ++i)
        words[i] = itemsOf(m_lstContent[i]);
    return words;
}

void frmRC::EnableButtons(bool enabled)
{
    m_cmdClose->setEnabled(enabled);
    m_cmdSave->setEnabled(enabled);
    m_Command1->setEnabled(enabled);
}

void frmRC::Command1_Click()
{
    if (reportMissingWordFiles())
        return;
    const std::optional<int> lastPage = ParsePageCount(m_cboParagraphs->currentText());
    if (!lastPage) {
        MessageBox::information(this, "The number of pages must be a whole number from -32768 to 32767.", "Error");
        return;
    }
    if (*lastPage > 50 &&
        !MessageBox::question(this,
                              "Please notice that over 50 pages make a long text that can take a few seconds to "
                              "show. Want to go on?",
                              "Please Confirm"))
        return;

    EnableButtons(false);
    m_RichTextBox1->clear();
    // Nothing may be typed between the pages, and the pages are not edits to undo.
    m_RichTextBox1->setReadOnly(true);
    m_RichTextBox1->document()->setUndoRedoEnabled(false);
    m_tmrPleaseWait->start();
    QStringList keywords;
    vTools::SplitToList(m_txtKeywords->toPlainText(), "\n", keywords);
    m_lstRandomKeywords->addItems(keywords);

    m_run.emplace(*lastPage, wordLists(), itemsOf(m_lstRandomKeywords), *QRandomGenerator::global());
    m_slice->start();
}

void frmRC::generateSlice()
{
    QElapsedTimer clock;
    clock.start();
    QTextCursor end(m_RichTextBox1->document());
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

void frmRC::stopGenerating()
{
    m_slice->stop();
    m_run.reset();
    m_tmrPleaseWait->stop();
    setWindowTitle(title);
    m_RichTextBox1->setReadOnly(false);
    m_RichTextBox1->document()->setUndoRedoEnabled(true);
    EnableButtons(true);
}

void frmRC::tmrPleaseWait_Timer()
{
    if (m_Tag.isEmpty())
        m_Tag = "..";
    setWindowTitle(title + " (Working, Please Wait ..." + m_Tag + ")");
    m_Tag = m_Tag == ".." ? "...." : "..";
}

void frmRC::cmdSave_Click()
{
    // The article gets the system's line endings, so that its editors show the paragraphs.
    const QString text = m_RichTextBox1->toPlainText().replace(u'\n', Platform::lineEnding());
    const QString name = m_txtFilename->text();
    switch (GeneratedArticle::Check(text, name)) {
    case GeneratedArticle::Problem::NothingToSave:
        MessageBox::information(this, "There's nothing to save. Please generate some content first.", "Missing Info");
        return;
    case GeneratedArticle::Problem::NoName:
        MessageBox::information(this, "Please enter a name for the file.", "Missing Info");
        return;
    case GeneratedArticle::Problem::None:
        break;
    }
    // A separator would put the file outside the browsed folder, a dot first would hide it.
    if (const auto problem = FileNameProblem(GeneratedArticle::FileName(name))) {
        MessageBox::information(this, *problem, "Error");
        return;
    }

    const QString path = GeneratedArticle::Path(m_articleFolder(), name, m_folders.separator());
    if (QFileInfo::exists(path) &&
        !MessageBox::question(this, QString("\"%1\" already exists. Do you want to replace it?").arg(path),
                              "Please Confirm", MessageBox::No))
        return;
    QString error;
    if (!vFile::SaveText(text, path, &error)) {
        MessageBox::warning(this, QString("The file \"%1\" could not be saved: %2").arg(path, error), "Error");
        return;
    }
    m_refreshArticleFiles();
    MessageBox::information(this, "Done! You can now close this window.", "Done");
}

void frmRC::done(int result)
{
    if (m_run)
        stopGenerating();
    QDialog::done(result);
}
