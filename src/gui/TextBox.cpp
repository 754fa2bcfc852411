// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/TextBox.h"

#include <QMimeData>
#include <QToolTip>

TextBox::TextBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
}

void TextBox::insertFromMimeData(const QMimeData* source)
{
    const QString text = source->text();
    if (text.size() <= MaximumInsert)
        return QPlainTextEdit::insertFromMimeData(source);
    QString start = text.left(MaximumInsert);
    if (const qsizetype lastBreak = start.lastIndexOf(u'\n'); lastBreak > 0)
        start.truncate(lastBreak + 1);
    insertPlainText(start);
    QToolTip::showText(mapToGlobal(QPoint(0, 0)),
                       tr("Only the first %L1 of %L2 characters were pasted: more would take too long to show.")
                           .arg(start.size())
                           .arg(text.size()),
                       this);
}
