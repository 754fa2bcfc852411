// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MainHeader.h"

#include "gui/DesignGeometry.h"
#include "gui/MainLayout.h"

#include <QLabel>
#include <QTimer>

using namespace DesignGeometry;

namespace {
QFont boldFont(QFont font)
{
    font.setBold(true);
    return font;
}
} // namespace

MainHeader::MainHeader(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picHeader"));
    setAutoFillBackground(true);
    setColor(this, QPalette::Window, QColor(0, 0, 64));

    m_productLabel = label(this, "lblAppName", QString(), verdana(14.25, true), 495, 270, 7710, 330);
    setColor(m_productLabel, QPalette::WindowText, Qt::white);
    m_byline = label(this, "lblBy", QString(), verdana(9), 2520, 360, 3525, 330);
    setColor(m_byline, QPalette::WindowText, QColor(192, 192, 192));
    m_pleaseWait = label(this, "lblPleaseWait", tr("Please Wait"), boldFont(font()), 13095, 315, 5955, 330);
    m_pleaseWait->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setColor(m_pleaseWait, QPalette::WindowText, QColor(224, 224, 224));
    m_pleaseWait->hide();

    m_pleaseWaitTimer = new QTimer(this);
    m_pleaseWaitTimer->setObjectName(QStringLiteral("tmrPleaseWait"));
    m_pleaseWaitTimer->setInterval(300);
    connect(m_pleaseWaitTimer, &QTimer::timeout, this, [this] { m_pleaseWait->setVisible(m_pleaseWait->isHidden()); });
}

void MainHeader::showProduct(const QString& label, const QString& byline)
{
    m_byline->setText(byline);
    m_productLabel->setText(label);
    const int afterName = m_productLabel->x() + m_productLabel->fontMetrics().horizontalAdvance(m_productLabel->text());
    m_byline->move(qMax(m_byline->x(), afterName + 12), m_byline->y());
}

void MainHeader::setBusy(bool busy)
{
    if (busy)
        m_pleaseWaitTimer->start();
    else
        m_pleaseWaitTimer->stop();
}

void MainHeader::showPreparing(int index, int count)
{
    m_pleaseWait->setText(tr("Please Wait ... (Preparing File %1/%2)").arg(index + 1).arg(count));
}

void MainHeader::showReady(bool shown)
{
    m_pleaseWait->setText(tr("Ready."));
    m_pleaseWait->setVisible(shown);
}

void MainHeader::applyLayout(const MainLayout& layout, int width)
{
    setGeometry(0, 0, width, Twips::toPixels(870));
    setLeftAndWidth(m_pleaseWait, layout.pleaseWaitLeft, layout.pleaseWaitWidth);
}
