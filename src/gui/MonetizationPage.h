// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PageBuilder.h"

#include <QPixmap>
#include <QWidget>

class AdPreview;
class AppFolders;
class QLabel;
class QLineEdit;
class QTimer;
class RememberedControls;

// The Monetization page's content (frMonetization): the ad block's three entries and the preview of the ad, drawn
// once typing rests. While PDFs are being made the preview waits, and follows when they are done.
class MonetizationPage : public QWidget
{
    Q_OBJECT

public:
    MonetizationPage(const AppFolders& folders, RememberedControls& remembered, QWidget* page);

    PageBuilder::AdBlock ad() const;
    QLineEdit* titleEntry() const { return m_adTitle; }
    QLineEdit* ctaTextEntry() const { return m_ctaText; }
    QLineEdit* ctaUrlEntry() const { return m_ctaUrl; }
    // While busy, a preview under way stops and a new one waits.
    void setBusy(bool busy);

private:
    void refreshPreview();
    void showPreview(const QByteArray& png);
    // The example picture, and why there is no preview.
    void showExamplePicture(const QString& why);

    QLineEdit* m_adTitle;
    QLineEdit* m_ctaText;
    QLineEdit* m_ctaUrl;
    QLabel* m_adExample;
    QPixmap m_examplePicture;
    QLabel* m_previewNote;
    AdPreview* m_preview;
    QTimer* m_previewTimer;
    bool m_busy = false;
    // A preview asked for while PDFs were being made follows when they are.
    bool m_previewDue = false;
};
