// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QTimer;
struct MainLayout;

// The dark band across the top of the main window (picHeader): the product's name and byline, and on the right
// the please-wait label, which blinks while PDFs are being made.
class MainHeader : public QWidget
{
    Q_OBJECT

public:
    explicit MainHeader(QWidget* parent);

    // The byline follows the product label, however long the product label is.
    void showProduct(const QString& label, const QString& byline);
    void setBusy(bool busy);
    // Article index (from 0) of count is being prepared.
    void showPreparing(int index, int count);
    // "Ready.", shown or hidden.
    void showReady(bool shown);
    // As wide as the window's canvas; the please-wait label where the layout puts it.
    void applyLayout(const MainLayout& layout, int width);

private:
    QLabel* m_productLabel = nullptr;
    QLabel* m_byline = nullptr;
    QLabel* m_pleaseWait = nullptr;
    QTimer* m_pleaseWaitTimer = nullptr;
};
