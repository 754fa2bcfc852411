// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Settings.h"

#include <QList>

#include <functional>

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// The controls whose values the settings keep, each bound to its setting in one line; all of them are shown from
// the settings, or stored into them, at once.
class RememberedControls
{
public:
    void bind(QLineEdit* edit, const TextSetting& setting);
    void bind(QPlainTextEdit* edit, const TextSetting& setting);
    void bind(QSpinBox* box, const NumberSetting& setting);
    // The setting holds the index of the checked button. Showing it clicks that button unless it is checked
    // already, so that the window follows as if the user had clicked it.
    void bind(const QList<QAbstractButton*>& buttons, const NumberSetting& setting);

    void show(const Settings& settings) const;
    void store(Settings& settings) const;

private:
    struct Binding {
        std::function<void(const Settings&)> show;
        std::function<void(Settings&)> store;
    };
    QList<Binding> m_bindings;
};
