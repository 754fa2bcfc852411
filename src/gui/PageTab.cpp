// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/PageTab.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

PageTab::PageTab(int index, const QIcon& icon, const QString& caption, QWidget* parent)
    : QFrame(parent)
    , m_index(index)
    , m_label(new QLabel(caption, this))
{
    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(icon.pixmap(24, 24));
    iconLabel->installEventFilter(this);
    m_label->installEventFilter(this);
    m_label->setAlignment(Qt::AlignCenter);
    // The tab is the caption's buddy, so that the caption's mnemonic reaches it.
    m_label->setBuddy(this);
    setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(iconLabel);
    layout->addWidget(m_label, 1);
    setSelectable(true);
}

void PageTab::setSelectable(bool selectable)
{
    m_selectable = selectable;
    setFrameStyle(QFrame::Panel | (selectable ? QFrame::Raised : QFrame::Sunken));
    setCursor(selectable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, selectable ? QColor(236, 236, 236) : QColor(255, 255, 255));
    setPalette(pal);
}

void PageTab::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked(m_index);
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        emit stepped(m_index, -1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit stepped(m_index, 1);
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void PageTab::focusInEvent(QFocusEvent* event)
{
    showFocus(true);
    // Alt and the caption's letter is a click.
    if (event->reason() == Qt::ShortcutFocusReason)
        emit clicked(m_index);
    QFrame::focusInEvent(event);
}

void PageTab::focusOutEvent(QFocusEvent* event)
{
    showFocus(false);
    QFrame::focusOutEvent(event);
}

void PageTab::showFocus(bool focused)
{
    // The raised or sunken panel stays; a wider edge marks the tab that has focus.
    setLineWidth(focused ? 2 : 1);
}

void PageTab::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(m_index);
    QFrame::mouseReleaseEvent(event);
}

bool PageTab::eventFilter(QObject* watched, QEvent* event)
{
    // Clicks on the caption or the icon count as clicks on the frame.
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            emit clicked(m_index);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
