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
class CreatePage;
class QGroupBox;
class QMessageBox;
class QMenu;
class QScrollArea;
class QShortcut;
class MainHeader;
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

    // The folder the article browser shows; a root ends in the separator, other folders do not.
    QString articleFolder() const;

    // Shows page 0, 1 or 2 and marks its tab as the current one; other indices change nothing.
    void showPage(int index);
    // The page shown: 0, 1 or 2.
    int currentPage() const { return m_currentPage; }
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
    const QStringList& finalNames() const;

protected:
    // Closing while PDFs are being made asks first; confirmed, the job is stopped and the window closes after it.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Reads the entries into a request and starts the Create flow with it.
    void createPdfs();
    void retryFailed();
    // Shows the message of a run that did not start, or the progress of one that did.
    bool runStarted(const Result<QString, Message>& started);
    // Shows a page as its tab or a key chooses it: the focus follows it.
    void selectPage(int index);
    // Shows the page of the entry a message was about, and puts the focus in it.
    void showEntry(Entry entry);
    void buildTabs();
    void buildOptionsMenu();
    void load();
    void applyLayout();

    void openFolder(const QString& folder);
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
    MainHeader* m_header = nullptr;
    PageTab* m_tabs[3] = {};
    QGroupBox* m_pages[3] = {};
    int m_currentPage = 0;

    ContentPage* m_content = nullptr;
    MonetizationPage* m_monetization = nullptr;
    CreatePage* m_createPage = nullptr;
    QShortcut* m_stopShortcut = nullptr;

    QMenu* m_optionsMenu = nullptr;
    PdfOptions m_pdfOptions;
    CreateFlow* m_create;
    bool m_closeWhenStopped = false;
    QPointer<QMessageBox> m_quitQuestion; // while closing during a run asks first
};
