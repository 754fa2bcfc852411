// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

// A plain-text box that takes a paste or a drop of any size without freezing. Laying out pasted text takes about
// a millisecond per thousand characters, so of a larger one only the first MaximumInsert characters are taken,
// up to their last line break, and a tooltip says so. Its lines hold no tabs: Tab moves the focus on.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    static constexpr qsizetype MaximumInsert = 100000;

    explicit TextBox(QWidget* parent = nullptr);

protected:
    void insertFromMimeData(const QMimeData* source) override;
};
