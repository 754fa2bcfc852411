// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MainWindow.h"

#include "core/CreateFlow.h"
#include "core/Product.h"
#include "gui/ContentPage.h"
#include "gui/CreatePage.h"
#include "gui/DesignGeometry.h"
#include "gui/FolderShortcuts.h"
#include "gui/GeneratorDialog.h"
#include "gui/MainHeader.h"
#include "gui/MessageBox.h"
#include "gui/MonetizationPage.h"
#include "gui/PageTab.h"
#include "gui/PdfOptionsDialog.h"
#include "gui/RunQuestions.h"
#include "gui/TabIcons.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QUrl>

#include <functional>
#include <tuple>

using namespace DesignGeometry;

namespace {

// The window opens in its normal state, larger than its design: tall enough that the PDF Content and Create
// pages show whole even where the window has no frame, wide enough for the whole example ad; on a smaller screen
// it opens as large as the screen allows.
constexpr int StartWidth = 1220;
constexpr int StartHeight = 760;

QSize startSize(const QWidget* window)
{
    return fittedSize(window, QSize(StartWidth, StartHeight));
}

QString arrayName(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

} // namespace

MainWindow::MainWindow(const AppFolders& folders, const QString& startFolder, const QString& settingsFile,
                       QWidget* parent)
    : QWidget(parent)
    , m_folders(folders)
    , m_startFolder(startFolder)
    , m_settings(settingsFile)
    , m_create(new CreateFlow(this))
{
    setObjectName(QStringLiteral("frmMass"));
    connect(m_create, &CreateFlow::articleStarted, this, &MainWindow::onArticleStarted);
    connect(m_create, &CreateFlow::pdfMade, this, [this] { m_createPage->pdfDone(true); });
    connect(m_create, &CreateFlow::pdfFailed, this, [this] { m_createPage->pdfDone(false); });
    connect(m_create, &CreateFlow::pdfSkipped, this, [this] { m_createPage->pdfDone(true); });
    connect(m_create, &CreateFlow::finished, this, &MainWindow::onCreateFinished);
    QFont controls = font();
    controls.setPointSizeF(8.25);
    setFont(controls);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrollPages"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control; the area scrolls to the one focused.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_canvas = new QWidget;
    m_scroll->setWidget(m_canvas);
    resize(startSize(this));
    restoreGeometry(m_settings.value(Remembered::WindowGeometry));

    m_header = new MainHeader(m_canvas);
    buildTabs();
    // The pages remember their entries in this order.
    m_pages[0] = m_content = new ContentPage(m_remembered, m_canvas);
    m_pages[1] = m_monetization = new MonetizationPage(m_folders, m_remembered, m_canvas);
    m_pages[2] = m_createPage = new CreatePage(m_remembered, m_canvas);
    // Escape stops the run from any page.
    m_stopShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_stopShortcut->setEnabled(false);
    for (QGroupBox* page : m_pages)
        setCaptionFont(page, verdana(8.25, true));
    buildOptionsMenu();
    connect(m_content, &ContentPage::articlesChanged, m_createPage, &CreatePage::setArticleCount);
    connect(m_content, &ContentPage::creationModeChanged, m_createPage, &CreatePage::setCreationMode);
    connect(m_createPage, &CreatePage::createRequested, this, &MainWindow::createPdfs);
    connect(m_createPage, &CreatePage::outputFolderRequested, this, [this] { openFolder(m_folders.output()); });
    connect(m_createPage, &CreatePage::stopRequested, m_create, &CreateFlow::cancel);
    connect(m_stopShortcut, &QShortcut::activated, m_create, &CreateFlow::cancel);
    connect(m_createPage, &CreatePage::retryRequested, this, &MainWindow::retryFailed);
    connect(m_content, &ContentPage::optionsRequested, m_optionsMenu,
            [this](const QPoint& at) { m_optionsMenu->popup(at); });
    applyLayout();

    load();
}

void MainWindow::buildTabs()
{
    static const char* const captions[] = {QT_TR_NOOP("&PDF Content"), QT_TR_NOOP("&Monetization"),
                                           QT_TR_NOOP("&Create!")};
    static const double lefts[] = {315, 2610, 5130};
    static const double widths[] = {2175, 2400, 2130};
    for (int i = 0; i < 3; ++i) {
        auto* tab = new PageTab(i, TabIcons::forPage(i), tr(captions[i]), m_canvas);
        place(tab, arrayName("vButton", i), lefts[i], 990, widths[i], 690);
        tab->label()->setObjectName(arrayName("lblButton", i));
        tab->label()->setFont(verdana(8.25, true));
        connect(tab, &PageTab::clicked, this, &MainWindow::selectPage);
        connect(tab, &PageTab::stepped, this,
                [this](int from, int step) { m_tabs[(from + step + 3) % 3]->setFocus(); });
        m_tabs[i] = tab;
    }
    // Pages in turn from anywhere in the window, as a tab widget does.
    const std::pair<QKeySequence, int> steps[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                                                  {QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1},
                                                  {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                                  {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& [keys, step] : steps) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this, step = step] { selectPage((currentPage() + step + 3) % 3); });
    }
}

void MainWindow::buildOptionsMenu()
{
    m_optionsMenu = new QMenu(QStringLiteral("FileOptions"), this);
    m_optionsMenu->setObjectName(QStringLiteral("mnuFileOptions"));
    const std::tuple<const char*, const char*, std::function<void()>> items[] = {
        {QT_TR_NOOP("Open &Folder"), "mnuOpenFolderTXT", [this] { openFolder(articleFolder()); }},
        {QT_TR_NOOP("Open &Random Content Creator"), "mnuDummy", [this] { openGenerator(); }},
        {QT_TR_NOOP("&PDF Options..."), "mnuPdfOptions", [this] { openPdfOptions(); }},
        {QT_TR_NOOP("&Edit Page Template"), "mnuEditTemplate", [this] { editPageTemplate(); }},
        {QT_TR_NOOP("Re&set Settings"), "mnuResetSettings", [this] { resetSettings(); }},
        // Closing asks first while PDFs are being made; the program ends with its last window.
        {QT_TR_NOOP("E&xit"), "mnuExitTXT", [this] { close(); }},
    };
    for (const auto& [caption, name, triggered] : items) {
        QAction* action = m_optionsMenu->addAction(tr(caption));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, triggered);
    }
}

void MainWindow::load()
{
    // Each step stands alone: one that cannot be done is skipped without a word and the next one runs.
    setWindowTitle(Product::windowTitle());
    m_header->showProduct(Product::label(), Product::byline());

    // The three pages already share one place: the layout gives them one left and top.
    m_createPage->setKeywordPatterns(m_folders.keywordPatterns());
    m_folders.ensureOutput();

    // The entries as last left (a first start shows the fallbacks); the final list shown is the one in force.
    m_remembered.show(m_settings);
    m_createPage->applyRememberedFinalList();
    m_content->showArticleFolder(m_settings.value(Remembered::ArticleFolder), m_startFolder);
    m_pdfOptions = m_settings.pdfOptions();
    showPage(0);
}

void MainWindow::saveSettings()
{
    m_remembered.store(m_settings);
    m_settings.setValue(Remembered::ArticleFolder, articleFolder());
    m_settings.setValue(Remembered::WindowGeometry, saveGeometry());
    m_settings.setPdfOptions(m_pdfOptions);
    if (const Result<> saved = m_settings.save(); !saved)
        MessageBox::warning(this, tr("The settings could not be saved:\n%1").arg(saved.error()), tr("Error"));
}

void MainWindow::resetSettings()
{
    if (!MessageBox::question(this, tr("Forget every entry remembered and go back to the settings of a first start?"),
                              tr("Reset Settings"), MessageBox::No))
        return;
    m_settings.clear();
    m_remembered.show(m_settings);
    m_pdfOptions = m_settings.pdfOptions();
    m_createPage->applyFinalList();
    m_content->showArticleFolder({}, m_startFolder);
    resize(startSize(this));
    saveSettings();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_scroll->setGeometry(rect());
    // The rules take the window's outer size, the pages the canvas.
    const QSize frame = frameGeometry().size() - size();
    const QSize canvas = canvasSize(m_scroll->maximumViewportSize(), frame,
                                    m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll));
    m_canvas->resize(canvas);
    const QSize outer = canvas + frame;
    m_layout = applyResizeRules(m_layout, Twips::fromPixels(outer.width()), Twips::fromPixels(outer.height()));
    applyLayout();
}

void MainWindow::applyLayout()
{
    m_header->applyLayout(m_layout, m_canvas->width());
    for (int i = 0; i < 3; ++i) {
        m_pages[i]->setGeometry(
            Twips::toPixels(m_layout.pageLeft, m_layout.pageTop, m_layout.pageWidth[i], m_layout.pageHeight[i]));
    }
    m_content->applyLayout(m_layout);
    m_createPage->applyLayout(m_layout);
}

void MainWindow::selectPage(int index)
{
    showPage(index);
    // Focus left on a page now hidden goes to the tab of the page shown.
    if (!focusWidget() || !focusWidget()->isVisible() || qobject_cast<PageTab*>(focusWidget()))
        m_tabs[index]->setFocus();
}

void MainWindow::showEntry(Entry entry)
{
    QWidget* const boxes[] = {m_content->entryBox(entry), m_monetization->entryBox(entry),
                              m_createPage->entryBox(entry)};
    for (int i = 0; i < 3; ++i) {
        if (QWidget* box = boxes[i]) {
            showPage(i);
            box->setFocus(Qt::OtherFocusReason);
            m_scroll->ensureWidgetVisible(box);
        }
    }
}

void MainWindow::showPage(int index)
{
    if (index < 0 || index > 2)
        return;
    m_currentPage = index;
    for (int i = 0; i < 3; ++i)
        m_tabs[i]->setSelectable(i != index);
    for (int i = 0; i < 3; ++i)
        m_pages[i]->setVisible(i == index);
    if (index == 1)
        m_monetization->entryBox(Entry::AdTitle)->setFocus();
}

void MainWindow::setBusy(bool busy)
{
    m_header->setBusy(busy);
    m_createPage->setBusy(busy, m_create->canRetry());
    m_stopShortcut->setEnabled(busy);
    m_monetization->setBusy(busy);
}

void MainWindow::createPdfs()
{
    if (m_create->isRunning())
        return;
    // The final list in force is the one on show, as if Enter had been pressed in it.
    m_createPage->applyFinalList();
    PdfJobRequest request;
    request.folders = m_folders;
    request.articles = m_content->articles();
    request.ad = m_monetization->ad();
    request.mode = m_content->creationMode();
    m_createPage->fillNaming(request);
    request.options = m_pdfOptions;
    if (!RunQuestions::confirm(this, m_settings, request))
        return;

    const Result<QString, Message> started = m_create->start(request);
    if (!runStarted(started))
        return;
    if (request.mode == CreationMode::Single)
        m_createPage->setPdfName(*started);
    saveSettings();
}

void MainWindow::retryFailed()
{
    if (!m_create->isRunning())
        runStarted(m_create->retry());
}

bool MainWindow::runStarted(const Result<QString, Message>& started)
{
    if (!started) {
        const Message& message = started.error();
        MessageBox::show(this, message.text, message.title,
                         message.warning ? MessageBox::Warning : MessageBox::Information, MessageBox::Ok);
        showEntry(message.entry);
        return false;
    }
    m_createPage->runStarted(m_create->runRequest());
    setBusy(true);
    return true;
}

void MainWindow::onArticleStarted(int index, int count)
{
    m_header->showPreparing(index, count);
    m_createPage->articleStarted(index);
    // The lists may have been edited meanwhile; the job works on what they held when Create was pressed. A retry's
    // article shows where it was in the run it retries.
    m_content->markArticle(m_create->runRequest().placeOf(index));
}

void MainWindow::onCreateFinished(const PdfJobReport& report, const ClosingBox& box)
{
    setBusy(false);
    if (m_quitQuestion)
        m_quitQuestion->reject();
    if (m_closeWhenStopped) {
        // Queued, so that the Create flow is done with its signal before the window goes.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    // The bulk run leaves "Ready." on show; the single run leaves the label hidden, as does a run that stopped.
    const bool bulk = m_create->runRequest().mode == CreationMode::Bulk;
    m_header->showReady(bulk && report.stopMessage.isEmpty() && !report.cancelled && report.madeCount() > 0);

    const MessageBox::Answer answer = RunQuestions::showClosingBox(this, m_folders, report, box);
    if (answer == MessageBox::Retry)
        retryFailed();
    else if (answer == MessageBox::Yes)
        openFolder(m_folders.output());
}

const QStringList& MainWindow::finalNames() const
{
    return m_createPage->finalNames();
}

QString MainWindow::articleFolder() const
{
    return m_content->articleFolder();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_create->isRunning()) {
        saveSettings();
        return QWidget::closeEvent(event);
    }
    event->ignore();
    if (m_quitQuestion)
        return;
    // Not modal to the event loop: a run that ends meanwhile takes the question away.
    m_quitQuestion = MessageBox::ask(this, tr("PDFs are still being made. Stop making them and close Leafrunner?"),
                                     tr("Please Confirm"), [this](bool yes) {
                                         if (!yes)
                                             return;
                                         if (!m_create->isRunning())
                                             return void(close());
                                         m_closeWhenStopped = true;
                                         m_create->cancel();
                                     });
}

void MainWindow::openFolder(const QString& folder)
{
    if (!FolderShortcuts::openFolder(folder))
        MessageBox::warning(this, tr("The folder could not be opened:\n%1").arg(folder), tr("Error"));
}

void MainWindow::openGenerator()
{
    GeneratorDialog::launch(
        m_folders, [this] { return articleFolder(); }, [this] { m_content->refreshArticleFiles(); }, this);
}

void MainWindow::editPageTemplate()
{
    const Result<QString> path = m_folders.editableTemplate();
    if (!path)
        return MessageBox::warning(this, path.error(), tr("Error"));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(*path)))
        MessageBox::warning(this, tr("The page template could not be opened:\n%1").arg(*path), tr("Error"));
}

void MainWindow::openPdfOptions()
{
    auto* dialog = new PdfOptionsDialog(m_pdfOptions, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { m_pdfOptions = dialog->options(); });
    dialog->open();
}
