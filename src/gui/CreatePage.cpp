// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/CreatePage.h"

#include "core/KeywordCombinations.h"
#include "gui/DesignGeometry.h"
#include "gui/MainLayout.h"
#include "gui/MessageBox.h"
#include "gui/RememberedControls.h"
#include "ui_CreatePage.h"

#include <QKeyEvent>

using namespace DesignGeometry;

CreatePage::CreatePage(RememberedControls& remembered, QWidget* parent)
    : QGroupBox(parent)
    , m_ui(std::make_unique<Ui::CreatePage>())
{
    m_ui->setupUi(this);
    // The captions' size in the font in force, the ampersands measured as written: the buddies come after.
    for (QLabel* label : {m_ui->Label20, m_ui->Label21, m_ui->Label22})
        label->adjustSize();
    m_ui->Label21->setBuddy(m_ui->txtPDFKeywords);
    m_ui->Label22->setBuddy(m_ui->txtFinalList);
    m_ui->frFilename_1->hide();
    remembered.bind(m_ui->txtPDFFilename, Remembered::PdfName);
    remembered.bind({m_ui->optFilename_0, m_ui->optFilename_1}, Remembered::Naming);
    remembered.bind(m_ui->txtPDFKeywords, Remembered::Keywords);
    remembered.bind(m_ui->txtFinalList, Remembered::FinalList);
    m_ui->txtFinalList->installEventFilter(this);

    const int ceiling = std::min(Remembered::Converters.maximum, converterCeiling());
    m_ui->spnConverters->setRange(Remembered::Converters.minimum, ceiling);
    m_ui->spnConverters->setToolTip(tr("Auto: chosen for this machine. At most %1 here: each converter takes about "
                                       "70 MB, and together they may take a quarter of the free memory.")
                                        .arg(ceiling));
    remembered.bind(m_ui->spnConverters, Remembered::Converters);

    // Between the naming frame and the buttons, and beside them; shown only while PDFs are being made, except
    // Retry Failed, which shows after a run that left PDFs unmade until the next Create.
    for (QWidget* control : std::initializer_list<QWidget*>{m_ui->progressCreate, m_ui->lblCreateCounts, m_ui->cmdStop,
                                                            m_ui->cmdRetryFailed})
        control->hide();

    connect(m_ui->cmdCreateList, &QPushButton::clicked, this, &CreatePage::combineKeywords);
    // Clearing the box clears the list in force too, or Create would still use the names no longer shown.
    connect(m_ui->cmdClearList, &QPushButton::clicked, this, [this] {
        m_ui->txtFinalList->clear();
        applyFinalList();
    });
    connect(m_ui->cmdCreate, &QPushButton::clicked, this, &CreatePage::createRequested);
    connect(m_ui->cmdOutput, &QPushButton::clicked, this, &CreatePage::outputFolderRequested);
    connect(m_ui->cmdStop, &QPushButton::clicked, this, &CreatePage::stopRequested);
    connect(m_ui->cmdRetryFailed, &QPushButton::clicked, this, &CreatePage::retryRequested);
}

CreatePage::~CreatePage() = default;

void CreatePage::setKeywordPatterns(const QStringList& patterns)
{
    m_ui->lstKeywordCombinations->addItems(patterns);
}

void CreatePage::fillNaming(PdfJobRequest& request) const
{
    request.naming = m_ui->optFilename_1->isChecked() ? PdfNaming::Keywords : PdfNaming::Original;
    request.finalNames = m_finalNames;
    request.finalKeywords = KeywordCombinations::keywordsOf(m_finalNames, itemsOf(m_ui->lstKeywordCombinations),
                                                            m_ui->txtPDFKeywords->toPlainText());
    request.singlePdfName = m_ui->txtPDFFilename->text();
    request.converterLimit = m_ui->spnConverters->value();
}

void CreatePage::setPdfName(const QString& name)
{
    m_ui->txtPDFFilename->setText(name);
}

QWidget* CreatePage::entryBox(Entry entry) const
{
    switch (entry) {
    case Entry::Keywords:
        return m_ui->txtPDFKeywords;
    case Entry::FinalList:
        return m_ui->txtFinalList;
    case Entry::SinglePdfName:
        return m_ui->txtPDFFilename;
    default:
        return nullptr;
    }
}

void CreatePage::applyLayout(const MainLayout& layout)
{
    setLeftAndWidth(m_ui->frFilename_0, layout.filenameLeft[0], layout.filenameWidth[0]);
    setLeftAndWidth(m_ui->frFilename_1, layout.filenameLeft[1], layout.filenameWidth[1]);
}

void CreatePage::setCreationMode(CreationMode mode)
{
    const bool single = mode == CreationMode::Single;
    m_ui->frFilename_0->setVisible(single);
    m_ui->frFilename_1->setVisible(!single);
}

void CreatePage::setArticleCount(int count)
{
    m_articleCount = count;
    updateKeywordsInfo();
}

void CreatePage::combineKeywords()
{
    const Result<KeywordCombinations::Combined, Message> combined = KeywordCombinations::combineKeywords(
        itemsOf(m_ui->lstKeywordCombinations), m_ui->txtPDFKeywords->toPlainText());
    if (!combined) {
        MessageBox::information(this, combined.error().text, combined.error().title);
        return;
    }
    if (combined->note)
        MessageBox::information(this, combined->note->text, combined->note->title);

    m_ui->txtFinalList->setPlainText(combined->finalList);
    // The combination walks the patterns; the last one stays selected.
    m_ui->lstKeywordCombinations->setCurrentRow(m_ui->lstKeywordCombinations->count() - 1);
    applyFinalList();
}

void CreatePage::applyFinalList()
{
    m_finalNames = KeywordCombinations::lines(m_ui->txtFinalList->toPlainText());
    updateKeywordsInfo();
}

void CreatePage::applyRememberedFinalList()
{
    if (!m_ui->txtFinalList->toPlainText().isEmpty())
        applyFinalList();
}

// Every change of the articles' count comes through setArticleCount, every change of the final list through
// applyFinalList; both end here.
void CreatePage::updateKeywordsInfo()
{
    m_ui->lblKeywordsInfo->setText(KeywordCombinations::summaryLine(m_articleCount, int(m_finalNames.size())));
}

void CreatePage::runStarted(const PdfJobRequest& run)
{
    m_bulkRun = run.mode == CreationMode::Bulk;
    // A bulk run counts its PDFs; a single run its articles written into the page, then its PDF.
    const int articles = int(run.articles.size());
    m_ui->progressCreate->setRange(0, m_bulkRun ? articles : articles + 1);
    m_ui->progressCreate->setValue(0);
    m_made = m_failed = 0;
    showCounts();
}

void CreatePage::articleStarted(int index)
{
    if (!m_bulkRun)
        m_ui->progressCreate->setValue(index);
}

void CreatePage::pdfDone(bool made)
{
    ++(made ? m_made : m_failed);
    m_ui->progressCreate->setValue(m_bulkRun ? m_made + m_failed : m_ui->progressCreate->maximum());
    showCounts();
}

void CreatePage::showCounts()
{
    m_ui->lblCreateCounts->setText(tr("%1 made, %2 failed").arg(m_made).arg(m_failed));
}

void CreatePage::setBusy(bool busy, bool canRetry)
{
    m_ui->cmdCreate->setEnabled(!busy);
    m_ui->cmdOutput->setEnabled(!busy);
    m_ui->spnConverters->setEnabled(!busy);
    for (QWidget* control : std::initializer_list<QWidget*>{m_ui->progressCreate, m_ui->lblCreateCounts, m_ui->cmdStop})
        control->setVisible(busy);
    m_ui->cmdRetryFailed->setVisible(!busy && canRetry);
}

bool CreatePage::eventFilter(QObject* watched, QEvent* event)
{
    // Edits of the final list take effect when Enter is released in it.
    if (watched == m_ui->txtFinalList && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
            applyFinalList();
    }
    return QGroupBox::eventFilter(watched, event);
}
