// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;

// A clickable frame used as a page tab: an icon and a caption. The tab of the page shown is not selectable and
// looks pressed; the others look raised and answer clicks. The tabs take focus: Space or Enter selects the tab
// focused, the arrow keys move between the tabs, and the caption's mnemonic (Alt and its letter) selects it too.
class PageTab : public QFrame
{
    Q_OBJECT

public:
    PageTab(int index, const QIcon& icon, const QString& caption, QWidget* parent = nullptr);

    int index() const { return m_index; }
    bool isSelectable() const { return m_selectable; }
    void setSelectable(bool selectable);
    // The caption label, so that a click on it acts like a click on the frame.
    QLabel* label() const { return m_label; }

signals:
    void clicked(int index);
    // An arrow key asks for the tab before (-1) or after (+1) this one.
    void stepped(int index, int step);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFocus(bool focused);

    int m_index;
    bool m_selectable = true;
    QLabel* m_label;
};
