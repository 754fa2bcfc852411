// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MonetizationPage.h"

#include "core/AdPreview.h"
#include "gui/RememberedControls.h"
#include "ui_MonetizationPage.h"

#include <QTimer>

namespace {
// The preview follows typing once the keys have rested this long.
constexpr int PreviewDelayMs = 400;
} // namespace

MonetizationPage::MonetizationPage(const AppFolders& folders, RememberedControls& remembered, QWidget* parent)
    : QGroupBox(parent)
    , m_ui(std::make_unique<Ui::MonetizationPage>())
{
    m_ui->setupUi(this);
    remembered.bind(m_ui->txtAdTitle, Remembered::AdTitle);
    remembered.bind(m_ui->txtCTAText, Remembered::CtaText);
    remembered.bind(m_ui->txtCTAURL, Remembered::CtaUrl);
    // A long address is cut in the middle to fit the frame; its tooltip holds it whole.
    QLabel* link = m_ui->lblCtaLink;
    connect(m_ui->txtCTAURL, &QLineEdit::textChanged, link, [link](const QString& address) {
        const QString note = PageBuilder::linkNote(address);
        link->setToolTip(note);
        link->setText(link->fontMetrics().elidedText(note, Qt::ElideMiddle, link->width()));
    });
    m_examplePicture = QPixmap(QStringLiteral(":/images/ad-example.png"));
    m_ui->Picture3->setPixmap(m_examplePicture);

    m_preview = new AdPreview(folders, this);
    m_previewTimer = new QTimer(this);
    m_previewTimer->setObjectName(QStringLiteral("tmrPreview"));
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(PreviewDelayMs);
    for (QLineEdit* edit : {m_ui->txtAdTitle, m_ui->txtCTAText, m_ui->txtCTAURL})
        connect(edit, &QLineEdit::textChanged, m_previewTimer, qOverload<>(&QTimer::start));
    connect(m_previewTimer, &QTimer::timeout, this, &MonetizationPage::refreshPreview);
    connect(m_preview, &AdPreview::rendered, this, &MonetizationPage::showPreview);
    connect(m_preview, &AdPreview::failed, this, &MonetizationPage::showExamplePicture);
}

MonetizationPage::~MonetizationPage() = default;

PageBuilder::AdBlock MonetizationPage::ad() const
{
    return {m_ui->txtAdTitle->text(), m_ui->txtCTAText->text(), m_ui->txtCTAURL->text()};
}

QWidget* MonetizationPage::entryBox(Entry entry) const
{
    switch (entry) {
    case Entry::AdTitle:
        return m_ui->txtAdTitle;
    case Entry::CtaText:
        return m_ui->txtCTAText;
    case Entry::CtaUrl:
        return m_ui->txtCTAURL;
    default:
        return nullptr;
    }
}

void MonetizationPage::setBusy(bool busy)
{
    m_busy = busy;
    // The converters have the processors to themselves.
    if (busy && m_preview->isRunning()) {
        m_preview->cancel();
        m_previewDue = true;
    }
    if (!busy && m_previewDue)
        m_previewTimer->start();
}

void MonetizationPage::refreshPreview()
{
    if (m_busy) {
        m_previewDue = true;
        return;
    }
    m_previewDue = false;
    m_preview->render(ad(), m_ui->Picture3->size());
}

void MonetizationPage::showPreview(const QByteArray& png)
{
    QPixmap picture;
    if (!picture.loadFromData(png, "PNG"))
        return showExamplePicture(tr("No preview: the picture drawn could not be read."));
    m_ui->Picture3->setPixmap(picture.scaled(m_ui->Picture3->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_ui->lblPreviewNote->clear();
}

void MonetizationPage::showExamplePicture(const QString& why)
{
    m_ui->Picture3->setPixmap(m_examplePicture);
    m_ui->lblPreviewNote->setText(why);
}
