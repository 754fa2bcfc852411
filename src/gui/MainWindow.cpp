#include "gui/MainWindow.h"

#include "core/ArticleFolder.h"
#include "core/CreateFlow.h"
#include "gui/FolderBrowser.h"
#include "gui/FolderShortcuts.h"
#include "core/KeywordCombinations.h"
#include "core/PdfJobEngine.h"
#include "core/Product.h"
#include "gui/TabIcons.h"
#include "gui/DesignGeometry.h"
#include "gui/MessageBox.h"
#include "gui/PageTab.h"
#include "gui/GeneratorDialog.h"
#include "core/Platform.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>

using namespace Controls;

namespace {

const QString SelectFileFirst = QStringLiteral("Please select a file first.");

// The window opens in its normal state, larger than its design: tall enough that the PDF Content and Create
// pages show whole even where the window has no frame, wide enough for the whole example ad; on a smaller screen
// it opens as large as the screen allows.
constexpr int StartWidth = 1220;
constexpr int StartHeight = 760;
// Room for a window frame and title bar, which are not known before the window is first shown.
constexpr int FrameAllowance = 40;
// Below this size the pages stop shrinking and scroll instead: the design width, and the outer height at which the
// PDF Content page shows its lowest control whole.
constexpr double MinimumOuterWidth = 17220;
constexpr double MinimumOuterHeight = 11465;

QFont boldFont(QFont font)
{
    font.setBold(true);
    return font;
}

QString arrayName(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

// A label without a design size is as large as its caption.
QLabel* label(QWidget* parent, const QString& name, const QString& caption, double left, double top, double width = -1,
              double height = -1)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    if (width < 0) {
        label->move(Twips::toPixels(left), Twips::toPixels(top));
        label->adjustSize();
    } else {
        label->setGeometry(Twips::toPixels(left, top, width, height));
    }
    return label;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QFont& font, double left, double top,
              double width, double height)
{
    QLabel* result = label(parent, name, caption, left, top, width, height);
    result->setFont(font);
    return result;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, double left, double top, double width,
                    double height)
{
    return place(new QPushButton(caption, parent), name, left, top, width, height);
}

// Moves a control sideways and sets its width, in twips; its top and height stay.
void setLeftAndWidth(QWidget* widget, double left, double width)
{
    QRect rect = widget->geometry();
    rect.moveLeft(Twips::toPixels(left));
    rect.setWidth(Twips::toPixels(width));
    widget->setGeometry(rect);
}

// A frame's caption font would pass to everything inside it; the controls keep the window's font instead.
void setCaptionFont(QGroupBox* frame, const QFont& caption)
{
    QFont content = frame->font();
    content.setResolveMask(QFont::AllPropertiesResolved);
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->testAttribute(Qt::WA_SetFont))
            child->setFont(content);
    }
    frame->setFont(caption);
}

} // namespace

frmMass::frmMass(const AppFolders& folders, const QString& startFolder, QWidget* parent)
    : QWidget(parent)
    , m_folders(folders)
    , m_engine(new PdfJobEngine(this))
{
    setObjectName(QStringLiteral("frmMass"));
    connect(m_engine, &PdfJobEngine::articleStarted, this, &frmMass::jobArticleStarted);
    connect(m_engine, &PdfJobEngine::finished, this, &frmMass::jobFinished);
    QFont controls = font();
    controls.setPointSizeF(8.25);
    setFont(controls);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrollPages"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_canvas = new QWidget;
    m_scroll->setWidget(m_canvas);
    QSize start(StartWidth, StartHeight);
    if (const QScreen* screen = this->screen())
        start = start.boundedTo(screen->availableGeometry().size() - QSize(FrameAllowance, FrameAllowance));
    resize(start);

    buildHeader();
    buildTabs();
    static const char* const captions[] = {"  PDF Content    ", "  Monetization   ", "  Create   "};
    for (int i = 0; i < 3; ++i) {
        m_frPage[i] = new QGroupBox(QString::fromLatin1(captions[i]), m_canvas);
        m_frPage[i]->setObjectName(arrayName("frPage", i));
    }
    buildContentPage(m_frPage[0]);
    buildMonetizationPage(m_frPage[1]);
    buildCreatePage(m_frPage[2]);
    for (QGroupBox* page : m_frPage)
        setCaptionFont(page, verdana(8.25, true));
    buildOptionsMenu();
    applyLayout();

    Form_Load(startFolder);
}

void frmMass::buildHeader()
{
    m_picHeader = new QWidget(m_canvas);
    m_picHeader->setObjectName(QStringLiteral("picHeader"));
    m_picHeader->setAutoFillBackground(true);
    setColor(m_picHeader, QPalette::Window, QColor(0, 0, 64));

    m_lblAppName = label(m_picHeader, "lblAppName", QString(), verdana(14.25, true), 495, 270, 7710, 330);
    setColor(m_lblAppName, QPalette::WindowText, Qt::white);
    m_lblBy = label(m_picHeader, "lblBy", QString(), verdana(9), 2520, 360, 3525, 330);
    setColor(m_lblBy, QPalette::WindowText, QColor(192, 192, 192));
    m_lblPleaseWait = label(m_picHeader, "lblPleaseWait", "Please Wait", boldFont(font()), 13095, 315, 5955, 330);
    m_lblPleaseWait->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setColor(m_lblPleaseWait, QPalette::WindowText, QColor(224, 224, 224));
    m_lblPleaseWait->hide();

    m_tmrPleaseWait = new QTimer(this);
    m_tmrPleaseWait->setObjectName(QStringLiteral("tmrPleaseWait"));
    m_tmrPleaseWait->setInterval(300);
    connect(m_tmrPleaseWait, &QTimer::timeout, this, &frmMass::tmrPleaseWait_Timer);
}

void frmMass::buildTabs()
{
    static const char* const captions[] = {"PDF Content", "Monetization", "Create!"};
    static const double lefts[] = {315, 2610, 5130};
    static const double widths[] = {2175, 2400, 2130};
    for (int i = 0; i < 3; ++i) {
        auto* tab = new vFrame(i, TabIcons::ForPage(i), QString::fromLatin1(captions[i]), m_canvas);
        place(tab, arrayName("vButton", i), lefts[i], 990, widths[i], 690);
        tab->label()->setObjectName(arrayName("lblButton", i));
        tab->label()->setFont(verdana(8.25, true));
        connect(tab, &vFrame::Click, this, &frmMass::ShowPage);
        m_vButton[i] = tab;
    }
}

void frmMass::buildContentPage(QGroupBox* page)
{
    label(page, "Label3", "Select a Folder with .TXT Articles", 360, 450);
    m_Drive1 = place(new DriveListBox(page), "Drive1", 360, 855, 2850, 315);
    auto* cmdArticlesTools = button(page, "cmdArticlesTools", "Options", 3375, 810, 1050, 375);
    m_Dir1 = place(new DirListBox(page), "Dir1", 360, 1305, 4065, 2340);
    m_File1 = place(new FileListBox(page), "File1", 360, 3735, 4065, 1845);

    auto* frame1 = place(new QGroupBox("Instructions   ", page), "Frame1", 360, 5850, 4065, 1410);
    QLabel* label1 = label(frame1, "Label1",
                           "Select a Folder with articles (.txt files). Then select the articles that you want to "
                           "use by using the buttons that you'll see on the right panel.",
                           150, 330, 3765, 975);
    label1->setWordWrap(true);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label(page, "Label4", "Files Found:", 360, 7425);
    m_lblFilesFound = label(page, "lblFilesFound", "0", 1530, 7425, 2895, 255);

    static const char* const modes[] = {"Single PDF Creation", "Bulk PDF Creation"};
    static const double modeLefts[] = {4860, 6930};
    for (int i = 0; i < 2; ++i) {
        m_optCreationMode[i] = place(new QRadioButton(QString::fromLatin1(modes[i]), page),
                                     arrayName("optCreationMode", i), modeLefts[i], 495, 2715, 330);
        connect(m_optCreationMode[i], &QRadioButton::clicked, this, [this, i] { optCreationMode_Click(i); });
    }
    m_optCreationMode[0]->setChecked(true);

    m_frSinglePDFCreation =
        place(new QGroupBox("  Single PDF Creation  ", page), "frSinglePDFCreation", 4905, 1125, 13335, 5415);
    m_lblPDFContentHeadline =
        label(m_frSinglePDFCreation, "lblPDFContentHeadline",
              "The Software Will Create 1 PDF From Each One of these Articles:", 3915, 720, 7755, 285);
    static const char* const commands[] = {"Add All the Articles >>", "<< Remove All the Articles",
                                           "Add Selected Article >", "< Remove Selected Article"};
    for (int i = 0; i < 4; ++i) {
        QPushButton* command = button(m_frSinglePDFCreation, arrayName("cmdSingleMenu", i),
                                      QString::fromLatin1(commands[i]), 450, 720 + 675 * i, 3165, 600);
        connect(command, &QPushButton::clicked, this, [this, i] { cmdSingleMenu_Click(i); });
    }
    m_lstSelectedArticles =
        place(new QListWidget(m_frSinglePDFCreation), "lstSelectedArticles", 3870, 1125, 8655, 3570);
    m_lstSelectedArticles->setUniformItemSizes(true);
    setColor(m_lstSelectedArticles, QPalette::Base, QColor(255, 255, 192));

    connect(m_Drive1, &DriveListBox::Change, this, &frmMass::Drive1_Change);
    connect(m_Dir1, &DirListBox::Change, this, &frmMass::Dir1_Change);
    connect(m_File1, &FileListBox::Change, this, &frmMass::UpdateFilesFound);
    connect(m_File1, &QListWidget::itemDoubleClicked, this, [this] { cmdSingleMenu_Click(2); });
    connect(m_lstSelectedArticles, &QListWidget::itemDoubleClicked, this, [this] { cmdSingleMenu_Click(3); });
    connect(cmdArticlesTools, &QPushButton::clicked, this, [this] { m_mnuFileOptions->popup(QCursor::pos()); });
}

void frmMass::buildMonetizationPage(QGroupBox* page)
{
    auto* frame = place(new QWidget(page), "frMonetization", 810, 990, 16485, 6270);
    const QFont heading = verdana(9, true);

    auto* shape1 = place(new QFrame(frame), "Shape1", 45, 0, 7215, 3300);
    shape1->setStyleSheet(
        QStringLiteral("QFrame#Shape1 { background: rgb(224, 224, 224); border: 1px solid rgb(128, 128, 128); }"));
    label(frame, "Label15", "Ad Details", heading, 315, 270, 4695, 330);
    label(frame, "Label16", "The Following Ad will be added at the beginning of the PDF:", verdana(9), 315, 675, 11715,
          330);
    label(frame, "Label8", "Title:", heading, 270, 1305, 840, 330);
    m_txtAdTitle = place(new QLineEdit(frame), "txtAdTitle", 1125, 1215, 5550, 465);
    label(frame, "Label9", "Call to Action Button Text:", heading, 315, 2025, 2820, 330);
    m_txtCTAText = place(new QLineEdit(frame), "txtCTAText", 3150, 1890, 3525, 465);
    label(frame, "Label14", "Call to Action Button Url:", heading, 315, 2655, 2820, 330);
    m_txtCTAURL = place(new QLineEdit(QStringLiteral("http://"), frame), "txtCTAURL", 3150, 2565, 3525, 465);
    label(frame, "Label17", "Tip: You can send your visitors to any url (affiliate offer, squeeze page, etc).",
          verdana(9, false, true), 45, 3645, 7080, 330);
    label(frame, "Label18", "Ad Example:", heading, 7515, 0, 1950, 375);
    QLabel* picture3 = label(frame, "Picture3", QString(), 7560, 495, 8745, 3975);
    picture3->setPixmap(QPixmap(QStringLiteral(":/images/ad-example.png")));
    picture3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void frmMass::buildCreatePage(QGroupBox* page)
{
    m_frFilename[0] = place(new QGroupBox(" Filename  ", page), "frFilename_0", 585, 540, 15045, 1590);
    label(m_frFilename[0], "Label2", "Filename:", boldFont(font()), 765, 675, 1230, 465)->setAlignment(Qt::AlignTop);
    m_txtPDFFilename = place(new QLineEdit(m_frFilename[0]), "txtPDFFilename", 1845, 585, 2715, 510);
    label(m_frFilename[0], "Label19", ".pdf", boldFont(font()), 4770, 675, 1230, 465)->setAlignment(Qt::AlignTop);

    QGroupBox* names = m_frFilename[1] =
        place(new QGroupBox("Filenames ", page), "frFilename_1", 585, 540, 15045, 5280);
    names->hide();
    place(new QRadioButton("Use Original Filenames", names), "optFilename_0", 630, 495, 2670, 285)->setChecked(true);
    m_optKeywordNames =
        place(new QRadioButton("Use a Combination of Keywords", names), "optFilename_1", 630, 900, 2940, 285);
    label(names, "Label20", "Combinations:", 945, 1305);
    m_lstKeywordCombinations = place(new QListWidget(names), "lstKeywordCombinations", 945, 1665, 4290, 2985);
    label(names, "Label21", "Your Keywords:", 5445, 1350);
    m_txtPDFKeywords = place(new QPlainTextEdit(names), "txtPDFKeywords", 5400, 1665, 4155, 1905);
    auto* cmdCreateList = button(names, "cmdCreateList", "Combine Keywords", 5400, 3645, 4155, 870);
    label(names, "Label22", "Final List:", 9810, 1350);
    m_txtFinalList = place(new QPlainTextEdit(names), "txtFinalList", 9765, 1665, 4785, 2445);
    auto* cmdClearList = button(names, "cmdClearList", "Clear List", 13275, 1215, 1275, 330);
    QLabel* hint = label(names, "Label23", "If you modify this list, please press \"Enter\" to apply the changes.",
                         9765, 4275, 4785, 420);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Below the lists rather than behind them, where a label could not be read.
    m_lblKeywordsInfo = label(names, "lblKeywordsInfo", QString(), 945, 4785, 9240, 285);
    for (QPlainTextEdit* text : {m_txtPDFKeywords, m_txtFinalList})
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtFinalList->installEventFilter(this);

    // Lists that the Create command and the keyword combination read; never shown.
    m_lstKeywords = new QListWidget(page);
    m_lstKeywords->setObjectName(QStringLiteral("lstKeywords"));
    m_lstKeywords->hide();
    m_lstFinalList = new QListWidget(page);
    m_lstFinalList->setObjectName(QStringLiteral("lstFinalList"));
    m_lstFinalList->hide();

    m_cmdCreate = button(page, "cmdCreate", "Create", 5895, 6750, 3795, 780);
    m_cmdOutput = button(page, "cmdOutput", "Open Output Folder", 9855, 6750, 3795, 780);

    connect(cmdCreateList, &QPushButton::clicked, this, &frmMass::cmdCreateList_Click);
    // Clearing the box clears the list in force too, or Create would still use the names no longer shown.
    connect(cmdClearList, &QPushButton::clicked, this, [this] {
        m_txtFinalList->clear();
        ApplyFinalList();
    });
    connect(m_cmdCreate, &QPushButton::clicked, this, &frmMass::cmdCreate_Click);
    connect(m_cmdOutput, &QPushButton::clicked, this, [this] { OpenFolder(m_folders.output()); });
}

void frmMass::buildOptionsMenu()
{
    m_mnuFileOptions = new QMenu(QStringLiteral("FileOptions"), this);
    m_mnuFileOptions->setObjectName(QStringLiteral("mnuFileOptions"));
    QAction* openFolder = m_mnuFileOptions->addAction(QStringLiteral("Open Folder"));
    openFolder->setObjectName(QStringLiteral("mnuOpenFolderTXT"));
    QAction* generator = m_mnuFileOptions->addAction(QStringLiteral("Open Random Content Creator"));
    generator->setObjectName(QStringLiteral("mnuDummy"));
    QAction* exit = m_mnuFileOptions->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("mnuExitTXT"));

    connect(openFolder, &QAction::triggered, this, [this] { OpenFolder(articleFolder()); });
    connect(generator, &QAction::triggered, this, &frmMass::openGenerator);
    // Closing asks first while PDFs are being made; the program ends with its last window.
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void frmMass::Form_Load(const QString& startFolder)
{
    // Each step stands alone: one that cannot be done is skipped without a word and the next one runs.
    setWindowTitle(Startup::WindowTitle());
    m_lblBy->setText(Startup::Byline());
    m_lblAppName->setText(Startup::ProductLabel());
    // The byline follows the product label, however long the product label is.
    const int afterName = m_lblAppName->x() + m_lblAppName->fontMetrics().horizontalAdvance(m_lblAppName->text());
    m_lblBy->move(qMax(m_lblBy->x(), afterName + 12), m_lblBy->y());

    // The three pages already share one place: the layout gives them one left and top.
    m_lstKeywordCombinations->addItems(Startup::KeywordCombinations(m_folders));
    Startup::EnsureOutputFolder(m_folders);
    // The page files are listed from pageFileFolder() when a run starts.

    // The folder change brings the file list and the files-found count along.
    m_Drive1->setDriveOf(ArticleFolder::DisplayPath(startFolder));
    m_Dir1->setPath(startFolder);
    ShowPage(0);
}

void frmMass::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_scroll->setGeometry(rect());
    // The rules take the window's outer size; the pages take the canvas, which is never below the minimum, and
    // scroll bars show the rest of it in a smaller window.
    const QSize frame = frameGeometry().size() - size();
    const QSize minimum = QSize(Twips::toPixels(MinimumOuterWidth), Twips::toPixels(MinimumOuterHeight)) - frame;
    const QSize available = m_scroll->maximumViewportSize();
    const int bar = m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    QSize canvas = available.expandedTo(minimum);
    if (canvas.height() > available.height())
        canvas.setWidth(qMax(available.width() - bar, minimum.width()));
    if (canvas.width() > available.width())
        canvas.setHeight(qMax(available.height() - bar, minimum.height()));
    m_canvas->resize(canvas);
    const QSize outer = canvas + frame;
    m_layout = ApplyResizeRules(m_layout, Twips::fromPixels(outer.width()), Twips::fromPixels(outer.height()));
    applyLayout();
}

void frmMass::applyLayout()
{
    m_picHeader->setGeometry(0, 0, m_canvas->width(), Twips::toPixels(870));
    for (int i = 0; i < 3; ++i) {
        m_frPage[i]->setGeometry(
            Twips::toPixels(m_layout.pageLeft, m_layout.pageTop, m_layout.pageWidth[i], m_layout.pageHeight[i]));
    }
    setLeftAndWidth(m_frSinglePDFCreation, m_layout.singleLeft, m_layout.singleWidth);
    setLeftAndWidth(m_lstSelectedArticles, m_layout.selectedLeft, m_layout.selectedWidth);
    setLeftAndWidth(m_lblPleaseWait, m_layout.pleaseWaitLeft, m_layout.pleaseWaitWidth);
    for (int i = 0; i < 2; ++i)
        setLeftAndWidth(m_frFilename[i], m_layout.filenameLeft[i], m_layout.filenameWidth[i]);
}

void frmMass::ShowPage(int index)
{
    if (index < 0 || index > 2)
        return;
    for (int i = 0; i < 3; ++i)
        m_vButton[i]->setSelectable(i != index);
    for (int i = 0; i < 3; ++i)
        m_frPage[i]->setVisible(i == index);
    if (index == 1)
        m_txtAdTitle->setFocus();
}

void frmMass::optCreationMode_Click(int index)
{
    const bool single = index == 0;
    if (single) {
        m_frFilename[0]->show();
        m_frFilename[1]->hide();
    }
    m_lblPDFContentHeadline->setText(single ? "The Software Will Create 1 PDF From Each One of these Articles:"
                                            : "The Software Will Create 1 PDF For Each One of these Articles:");
    m_frSinglePDFCreation->setTitle(single ? "Single PDF Creation" : "Bulk PDF Creation");
    if (!single) {
        m_frFilename[0]->hide();
        m_frFilename[1]->show();
    }
}

void frmMass::tmrPleaseWait_Timer()
{
    m_lblPleaseWait->setVisible(m_lblPleaseWait->isHidden());
}

void frmMass::setBusy(bool busy)
{
    if (busy)
        m_tmrPleaseWait->start();
    else
        m_tmrPleaseWait->stop();
    m_cmdCreate->setEnabled(!busy);
    m_cmdOutput->setEnabled(!busy);
}

void frmMass::cmdCreate_Click()
{
    if (m_engine->isRunning())
        return;
    PdfJobRequest request;
    request.folders = m_folders;
    request.articles = itemsOf(m_lstSelectedArticles);
    request.ad = {m_txtAdTitle->text(), m_txtCTAText->text(), m_txtCTAURL->text()};
    request.mode = m_optCreationMode[0]->isChecked() ? CreationMode::Single : CreationMode::Bulk;
    request.naming = m_optKeywordNames->isChecked() ? PdfNaming::Keywords : PdfNaming::Original;
    request.finalNames = itemsOf(m_lstFinalList);
    request.singlePdfName = m_txtPDFFilename->text();

    if (const auto message = CreateCheck(request)) {
        MessageBox::information(this, message->text, message->title);
        return;
    }
    if (!m_runLock.take()) {
        const CreateMessage message = BusyMessage();
        MessageBox::information(this, message.text, message.title);
        return;
    }
    if (const QStringList stale = ClearOldPages(m_folders); !stale.isEmpty()) {
        m_runLock.release();
        const CreateMessage message = OldPagesMessage(stale);
        MessageBox::warning(this, message.text, message.title);
        return;
    }
    if (request.mode == CreationMode::Single)
        m_txtPDFFilename->setText(PageAssembly::SinglePdfBaseName(request.singlePdfName));
    m_bulkRun = request.mode == CreationMode::Bulk;
    setBusy(true);
    m_engine->start(request);
}

void frmMass::jobArticleStarted(int index, int count, int nameIndex)
{
    m_lblPleaseWait->setText(QStringLiteral("Please Wait ... (Preparing File %1/%2)").arg(index + 1).arg(count));
    // The lists may have been edited meanwhile; the job works on what they held when Create was pressed.
    if (index < m_lstSelectedArticles->count())
        m_lstSelectedArticles->setCurrentRow(index);
    if (nameIndex >= 0 && nameIndex < m_lstFinalList->count())
        m_lstFinalList->setCurrentRow(nameIndex);
}

void frmMass::jobFinished(const PdfJobReport& report)
{
    m_runLock.release();
    setBusy(false);
    if (m_closeWhenStopped) {
        // Queued, so that the engine is done with its signal before the window goes.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    // The bulk run leaves "Ready." on show; the single run leaves the label hidden, as does a run that stopped.
    m_lblPleaseWait->setText(QStringLiteral("Ready."));
    m_lblPleaseWait->setVisible(m_bulkRun && report.stopMessage.isEmpty() && report.madeCount() > 0);

    const ClosingBox box = ClosingBoxFor(report);
    if (!box.askToOpenOutput)
        MessageBox::warning(this, box.text, box.title);
    else if (MessageBox::question(this, box.text, box.title))
        OpenFolder(m_folders.output());
}

void frmMass::closeEvent(QCloseEvent* event)
{
    if (!m_engine->isRunning())
        return QWidget::closeEvent(event);
    event->ignore();
    if (MessageBox::question(this, QStringLiteral("PDFs are still being made. Stop making them and close Leafrunner?"),
                             QStringLiteral("Please Confirm"))) {
        m_closeWhenStopped = true;
        m_engine->cancel();
    }
}

QString frmMass::articleFolder() const
{
    return m_Dir1->path();
}

void frmMass::refreshArticleFiles()
{
    m_File1->refresh();
}

void frmMass::Drive1_Change()
{
    // A drive that cannot be read leaves the folder, the files and the count as they were.
    m_Dir1->setPath(m_Drive1->drive());
}

void frmMass::Dir1_Change()
{
    m_File1->setPath(m_Dir1->path());
}

void frmMass::UpdateFilesFound()
{
    m_lblFilesFound->setText(QString::number(m_File1->count()));
}

void frmMass::cmdSingleMenu_Click(int index)
{
    switch (index) {
    case 0:
        AddAllArticles();
        break;
    case 1:
        m_lstSelectedArticles->clear();
        break;
    case 2:
        AddSelectedArticle();
        break;
    case 3:
        RemoveSelectedArticle();
        break;
    }
    UpdateKeywordsInfo();
}

void frmMass::AddAllArticles()
{
    const int count = m_File1->count();
    if (count == 0)
        return;
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i)
        paths.append(AppFolders::join(m_File1->path(), m_File1->fileName(i), Platform::separator()));
    m_lstSelectedArticles->addItems(paths);
    // The walk along the file list ends on its last entry.
    m_File1->setCurrentRow(count - 1);
}

void frmMass::AddSelectedArticle()
{
    const int entry = m_File1->currentEntry();
    if (entry < 0) {
        MessageBox::information(this, SelectFileFirst, QStringLiteral("Error"));
        return;
    }
    m_lstSelectedArticles->addItem(AppFolders::join(m_File1->path(), m_File1->fileName(entry), Platform::separator()));
}

void frmMass::RemoveSelectedArticle()
{
    const int selected = SelectedRow(m_lstSelectedArticles);
    if (selected < 0) {
        MessageBox::information(this, SelectFileFirst, QStringLiteral("Error"));
        return;
    }
    delete m_lstSelectedArticles->takeItem(selected);
    // As with a removed item in any list box, nothing is selected afterwards.
    m_lstSelectedArticles->setCurrentRow(-1);
}

void frmMass::cmdCreateList_Click()
{
    const QString keywordText = m_txtPDFKeywords->toPlainText();
    if (keywordText.isEmpty()) {
        MessageBox::information(this, QStringLiteral("Please enter some keywords first."),
                                QStringLiteral("Missing Info"));
        return;
    }
    m_lstKeywords->clear();
    m_lstKeywords->addItems(KeywordCombinations::Lines(keywordText));
    if (m_lstKeywordCombinations->count() == 0) {
        MessageBox::information(this, tr("No combination patterns were found in lstcombinations.txt."),
                                tr("Missing Info"));
    }

    m_txtFinalList->setPlainText(
        KeywordCombinations::Combine(itemsOf(m_lstKeywordCombinations), itemsOf(m_lstKeywords)));
    // The combination walks both lists; their last items stay selected.
    m_lstKeywordCombinations->setCurrentRow(m_lstKeywordCombinations->count() - 1);
    m_lstKeywords->setCurrentRow(m_lstKeywords->count() - 1);
    ApplyFinalList();
}

void frmMass::ApplyFinalList()
{
    m_lstFinalList->clear();
    m_lstFinalList->addItems(KeywordCombinations::Lines(m_txtFinalList->toPlainText()));
    UpdateKeywordsInfo();
}

// Every change of the selected articles comes through cmdSingleMenu_Click, every change of the final list through
// ApplyFinalList; both end here.
void frmMass::UpdateKeywordsInfo()
{
    m_lblKeywordsInfo->setText(
        KeywordCombinations::SummaryLine(m_lstSelectedArticles->count(), m_lstFinalList->count()));
}

bool frmMass::eventFilter(QObject* watched, QEvent* event)
{
    // Edits of the final list take effect when Enter is released in it.
    if (watched == m_txtFinalList && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
            ApplyFinalList();
    }
    return QWidget::eventFilter(watched, event);
}

void frmMass::OpenFolder(const QString& folder)
{
    if (!FolderShortcuts::OpenFolder(folder))
        MessageBox::warning(this, "The folder could not be opened:\n" + folder, QStringLiteral("Error"));
}

void frmMass::openGenerator()
{
    frmRC::Open(
        m_folders, [this] { return articleFolder(); }, [this] { refreshArticleFiles(); }, this);
}
