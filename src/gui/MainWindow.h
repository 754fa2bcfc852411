#pragma once

#include "core/AppFolders.h"
#include "core/CreateFlow.h"
#include "gui/MainLayout.h"

#include <QWidget>

class DirListBox;
class DriveListBox;
class FileListBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;
class vFrame;
class PdfJobEngine;
struct PdfJobReport;

// The main window: three pages behind three tabs. "PDF Content" picks the articles and the creation mode,
// "Monetization" holds the ad block, "Create!" names the PDFs and starts them. Every named control carries its
// name as objectName; a control of an array carries name_index (cmdSingleMenu_0, frPage_2).
class frmMass : public QWidget
{
    Q_OBJECT

public:
    // folders: the application folder's layout; startFolder: where the article browser starts.
    frmMass(const AppFolders& folders, const QString& startFolder, QWidget* parent = nullptr);

    const AppFolders& folders() const { return m_folders; }
    // The folder whose "*.html" page files are cleared before each run.
    QString pageFileFolder() const { return m_folders.bin(); }
    // The folder the article browser shows; a root ends in the separator, other folders do not.
    QString articleFolder() const;
    // Re-reads the article files of that folder at once, after a file was saved into it; the list follows other
    // changes of the folder by itself.
    void refreshArticleFiles();

    // Shows page 0, 1 or 2 and marks its tab as the current one; other indices change nothing.
    void ShowPage(int index);
    // Opens the Random Content Generator modally; the one window is kept between openings.
    void openGenerator();
    // While a PDF job runs the please-wait label blinks and Create and "Open Output Folder" are disabled.
    void setBusy(bool busy);

protected:
    // Closing while PDFs are being made asks first; confirmed, the job is stopped and the window closes after it.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void cmdCreate_Click();

private:
    void buildHeader();
    void buildTabs();
    void buildContentPage(QGroupBox* page);
    void buildMonetizationPage(QGroupBox* page);
    void buildCreatePage(QGroupBox* page);
    void buildOptionsMenu();
    void Form_Load(const QString& startFolder);
    void applyLayout();

    void optCreationMode_Click(int index);
    void Drive1_Change();
    void Dir1_Change();
    void UpdateFilesFound();
    void cmdSingleMenu_Click(int index);
    void AddAllArticles();
    void AddSelectedArticle();
    void RemoveSelectedArticle();
    void cmdCreateList_Click();
    void ApplyFinalList();
    void UpdateKeywordsInfo();
    void OpenFolder(const QString& folder);
    void tmrPleaseWait_Timer();
    void jobArticleStarted(int index, int count, int nameIndex);
    void jobFinished(const PdfJobReport& report);

    AppFolders m_folders;
    // Held from the clearing of old pages to the end of the run.
    RunLock m_runLock{m_folders};
    MainLayout m_layout;

    // Everything lies on the canvas, which scrolls when the window is smaller than the pages need.
    QScrollArea* m_scroll = nullptr;
    QWidget* m_canvas = nullptr;
    QWidget* m_picHeader = nullptr;
    QLabel* m_lblAppName = nullptr;
    QLabel* m_lblBy = nullptr;
    QLabel* m_lblPleaseWait = nullptr;
    QTimer* m_tmrPleaseWait = nullptr;
    vFrame* m_vButton[3] = {};
    QGroupBox* m_frPage[3] = {};

    DriveListBox* m_Drive1 = nullptr;
    DirListBox* m_Dir1 = nullptr;
    FileListBox* m_File1 = nullptr;
    QLabel* m_lblFilesFound = nullptr;
    QRadioButton* m_optCreationMode[2] = {};
    QGroupBox* m_frSinglePDFCreation = nullptr;
    QLabel* m_lblPDFContentHeadline = nullptr;
    QListWidget* m_lstSelectedArticles = nullptr;

    QLineEdit* m_txtAdTitle = nullptr;
    QLineEdit* m_txtCTAText = nullptr;
    QLineEdit* m_txtCTAURL = nullptr;
    QLineEdit* m_txtPDFFilename = nullptr;
    QRadioButton* m_optKeywordNames = nullptr;

    QGroupBox* m_frFilename[2] = {};
    QListWidget* m_lstKeywordCombinations = nullptr;
    QPlainTextEdit* m_txtPDFKeywords = nullptr;
    QListWidget* m_lstKeywords = nullptr;
    QPlainTextEdit* m_txtFinalList = nullptr;
    QListWidget* m_lstFinalList = nullptr;
    QLabel* m_lblKeywordsInfo = nullptr;
    QPushButton* m_cmdCreate = nullptr;
    QPushButton* m_cmdOutput = nullptr;

    QMenu* m_mnuFileOptions = nullptr;
    PdfJobEngine* m_engine;
    bool m_bulkRun = false;
    bool m_closeWhenStopped = false;
};
