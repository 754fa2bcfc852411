#pragma once

#include <QFrame>

class QLabel;

// A clickable frame used as a page tab: an icon and a caption. The tab of the page shown is not selectable and
// looks pressed; the others look raised and answer clicks.
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

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_index;
    bool m_selectable = true;
    QLabel* m_label;
};
