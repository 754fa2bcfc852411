// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppFolders.h"
#include "core/CreateFlow.h"
#include "core/Settings.h"
#include "gui/MainLayout.h"
#include "gui/RememberedControls.h"

#include <QPointer>
#include <QWidget>

class ContentPage;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMessageBox;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QShortcut;
class QSpinBox;
class QTimer;
class MonetizationPage;
class PageTab;
struct ClosingBox;
struct PdfJobReport;

// The main window: three pages behind three tabs. "PDF Content" picks the articles and the creation mode,
// "Monetization" holds the ad block and its preview, "Create!" names the PDFs, starts them and shows their progress.
// Every named control carries its name as objectName; a control of an array carries name_index (cmdSingleMenu_0,
// frPage_2).
//
// The entries, the article folder and the window's size and place are remembered in a settings file: read when the
// window opens, written when it closes and whenever a Create starts.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // folders: the application folder's layout; startFolder: where the article browser starts when no folder is
    // remembered; settingsFile: the settings file (none: nothing is remembered).
    MainWindow(const AppFolders& folders, const QString& startFolder, const QString& settingsFile = {},
               QWidget* parent = nullptr);

    const AppFolders& folders() const { return m_folders; }
    // The folder the article browser shows; a root ends in the separator, other folders do not.
    QString articleFolder() const;
    // Re-reads the article files of that folder at once, after a file was saved into it; the list follows other
    // changes of the folder by itself.
    void refreshArticleFiles();

    // Shows page 0, 1 or 2 and marks its tab as the current one; other indices change nothing.
    void showPage(int index);
    // The page shown: 0, 1 or 2.
    int currentPage() const;
    // Opens the Random Content Generator, window-modal; each opening starts afresh.
    void openGenerator();
    // Opens the PDF Options dialog, window-modal, on the options in force; OK puts its options in force.
    void openPdfOptions();
    // Opens the page template in the desktop's program for it; an installed program copies the shipped one into
    // the user's data folder first, and that copy is used from then on.
    void editPageTemplate();
    // The PDF options every Create passes on, one value to keep and restore whole.
    const PdfOptions& pdfOptions() const { return m_pdfOptions; }
    void setPdfOptions(const PdfOptions& options) { m_pdfOptions = options; }
    // While a PDF job runs the please-wait label blinks, Create and "Open Output Folder" are disabled, the progress
    // and Stop show, and the ad preview waits.
    void setBusy(bool busy);
    // The PDF names the next Create uses, the final list as last applied (lstFinalList).
    const QStringList& finalNames() const { return m_finalNames; }

protected:
    // Closing while PDFs are being made asks first; confirmed, the job is stopped and the window closes after it.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the entries into a request and starts the Create flow with it.
    void createPdfs();
    // Asks about PDF names several articles share and about PDFs the output folder already holds, and puts the
    // answers into the request; false when the user chose not to make the PDFs.
    bool confirmNames(PdfJobRequest& request);
    void retryFailed();
    // Shows the message of a run that did not start, or the progress of one that did.
    bool runStarted(const Result<QString, Message>& started);
    // Shows a page as its tab or a key chooses it: the focus follows it.
    void selectPage(int index);
    // Shows the page of the entry a message was about, and puts the focus in it.
    void showEntry(Entry entry);
    void onPdfDone(bool made);
    void showCounts();
    void buildHeader();
    void buildTabs();
    void buildCreatePage(QGroupBox* page);
    void buildOptionsMenu();
    void load();
    void applyLayout();

    void setCreationMode(CreationMode mode);
    void combineKeywords();
    void applyFinalList();
    void updateKeywordsInfo();
    void openFolder(const QString& folder);
    void blinkPleaseWait();
    void onArticleStarted(int index, int count);
    void onCreateFinished(const PdfJobReport& report, const ClosingBox& box);

    void saveSettings();
    void resetSettings();

    AppFolders m_folders;
    QString m_startFolder;
    Settings m_settings;
    RememberedControls m_remembered;
    MainLayout m_layout;

    // Everything lies on the canvas, which scrolls when the window is smaller than the pages need.
    QScrollArea* m_scroll = nullptr;
    QWidget* m_canvas = nullptr;
    QWidget* m_header = nullptr;
    QLabel* m_productLabel = nullptr;
    QLabel* m_byline = nullptr;
    QLabel* m_pleaseWait = nullptr;
    QTimer* m_pleaseWaitTimer = nullptr;
    PageTab* m_tabs[3] = {};
    QGroupBox* m_pages[3] = {};

    ContentPage* m_content = nullptr;

    MonetizationPage* m_monetization = nullptr;
    QLineEdit* m_pdfName = nullptr;
    QRadioButton* m_keywordNames = nullptr;

    QGroupBox* m_namingFrames[2] = {};
    QListWidget* m_combinations = nullptr;
    QPlainTextEdit* m_keywordText = nullptr;
    QPlainTextEdit* m_finalListText = nullptr;
    // The names in force: the final list's lines as last applied.
    QStringList m_finalNames;
    QLabel* m_keywordsInfo = nullptr;
    QPushButton* m_createButton = nullptr;
    QPushButton* m_outputButton = nullptr;
    QSpinBox* m_converters = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_createCounts = nullptr;
    QPushButton* m_stopButton = nullptr;
    QShortcut* m_stopShortcut = nullptr;
    QPushButton* m_retryButton = nullptr;
    int m_made = 0;
    int m_failed = 0;

    QMenu* m_optionsMenu = nullptr;
    PdfOptions m_pdfOptions;
    CreateFlow* m_create;
    bool m_bulkRun = false;
    bool m_closeWhenStopped = false;
    QPointer<QMessageBox> m_quitQuestion; // while closing during a run asks first
};
