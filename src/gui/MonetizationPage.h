// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PageBuilder.h"

#include "core/Result.h"

#include <QGroupBox>
#include <QPixmap>

#include <memory>

class AdPreview;
class AppFolders;
class QTimer;
class RememberedControls;

namespace Ui {
class MonetizationPage;
}

// The Monetization page (frPage_1): the ad block's three entries and the preview of the ad, drawn once typing
// rests. While PDFs are being made the preview waits, and follows when they are done.
class MonetizationPage : public QGroupBox
{
    Q_OBJECT

public:
    MonetizationPage(const AppFolders& folders, RememberedControls& remembered, QWidget* parent = nullptr);
    ~MonetizationPage() override;

    PageBuilder::AdBlock ad() const;
    // The control that holds an entry of this page, or nullptr.
    QWidget* entryBox(Entry entry) const;
    // While busy, a preview under way stops and a new one waits.
    void setBusy(bool busy);

private:
    void refreshPreview();
    void showPreview(const QByteArray& png);
    // The example picture, and why there is no preview.
    void showExamplePicture(const QString& why);

    std::unique_ptr<Ui::MonetizationPage> m_ui;
    QPixmap m_examplePicture;
    AdPreview* m_preview;
    QTimer* m_previewTimer;
    bool m_busy = false;
    // A preview asked for while PDFs were being made follows when they are.
    bool m_previewDue = false;
};
