// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MonetizationPage.h"

#include "core/AdPreview.h"
#include "gui/DesignGeometry.h"
#include "gui/RememberedControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using namespace DesignGeometry;

namespace {
// The preview follows typing once the keys have rested this long.
constexpr int PreviewDelayMs = 400;
} // namespace

MonetizationPage::MonetizationPage(const AppFolders& folders, RememberedControls& remembered, QWidget* page)
    : QWidget(page)
{
    QWidget* frame = place(this, "frMonetization", 810, 990, 16485, 6270);
    const QFont heading = verdana(9, true);

    auto* adBox = place(new QFrame(frame), "Shape1", 45, 0, 7215, 3300);
    adBox->setStyleSheet(
        QStringLiteral("QFrame#Shape1 { background: rgb(224, 224, 224); border: 1px solid rgb(128, 128, 128); }"));
    label(frame, "Label15", tr("Ad Details"), heading, 315, 270, 4695, 330);
    label(frame, "Label16", tr("The Following Ad will be added at the beginning of the PDF:"), verdana(9), 315, 675,
          11715, 330);
    QLabel* titleLabel = label(frame, "Label8", tr("&Title:"), heading, 270, 1305, 840, 330);
    m_adTitle = place(new QLineEdit(frame), "txtAdTitle", 1125, 1215, 5550, 465);
    titleLabel->setBuddy(m_adTitle);
    remembered.bind(m_adTitle, Remembered::AdTitle);
    QLabel* textLabel = label(frame, "Label9", tr("Call to Action Button Te&xt:"), heading, 315, 2025, 2820, 330);
    m_ctaText = place(new QLineEdit(frame), "txtCTAText", 3150, 1890, 3525, 465);
    textLabel->setBuddy(m_ctaText);
    remembered.bind(m_ctaText, Remembered::CtaText);
    QLabel* urlLabel = label(frame, "Label14", tr("Call to Action Button &Url:"), heading, 315, 2655, 2820, 330);
    m_ctaUrl = place(new QLineEdit(frame), "txtCTAURL", 3150, 2565, 3525, 465);
    urlLabel->setBuddy(m_ctaUrl);
    remembered.bind(m_ctaUrl, Remembered::CtaUrl);
    // A long address is cut in the middle to fit the frame; its tooltip holds it whole.
    QLabel* link = label(frame, "lblCtaLink", QString(), verdana(8), 315, 3030, 6900, 255);
    connect(m_ctaUrl, &QLineEdit::textChanged, link, [link](const QString& address) {
        const QString note = PageBuilder::linkNote(address);
        link->setToolTip(note);
        link->setText(link->fontMetrics().elidedText(note, Qt::ElideMiddle, link->width()));
    });
    label(frame, "Label17", tr("Tip: You can send your visitors to any url (affiliate offer, squeeze page, etc)."),
          verdana(9, false, true), 45, 3645, 7080, 330);
    label(frame, "Label18", tr("Ad Example:"), heading, 7515, 0, 1950, 375);
    m_examplePicture = QPixmap(QStringLiteral(":/images/ad-example.png"));
    m_adExample = label(frame, "Picture3", QString(), 7560, 495, 8745, 3975);
    m_adExample->setPixmap(m_examplePicture);
    m_adExample->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_previewNote = label(frame, "lblPreviewNote", QString(), 7560, 4560, 8745, 285);

    m_preview = new AdPreview(folders, this);
    m_previewTimer = new QTimer(this);
    m_previewTimer->setObjectName(QStringLiteral("tmrPreview"));
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(PreviewDelayMs);
    for (QLineEdit* edit : {m_adTitle, m_ctaText, m_ctaUrl})
        connect(edit, &QLineEdit::textChanged, m_previewTimer, qOverload<>(&QTimer::start));
    connect(m_previewTimer, &QTimer::timeout, this, &MonetizationPage::refreshPreview);
    connect(m_preview, &AdPreview::rendered, this, &MonetizationPage::showPreview);
    connect(m_preview, &AdPreview::failed, this, &MonetizationPage::showExamplePicture);
}

PageBuilder::AdBlock MonetizationPage::ad() const
{
    return {m_adTitle->text(), m_ctaText->text(), m_ctaUrl->text()};
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
    m_preview->render(ad(), m_adExample->size());
}

void MonetizationPage::showPreview(const QByteArray& png)
{
    QPixmap picture;
    if (!picture.loadFromData(png, "PNG"))
        return showExamplePicture(tr("No preview: the picture drawn could not be read."));
    m_adExample->setPixmap(picture.scaled(m_adExample->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_previewNote->clear();
}

void MonetizationPage::showExamplePicture(const QString& why)
{
    m_adExample->setPixmap(m_examplePicture);
    m_previewNote->setText(why);
}
