// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/RememberedControls.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

void RememberedControls::bind(QLineEdit* edit, const TextSetting& setting)
{
    m_bindings.append({[=](const Settings& s) { edit->setText(s.value(setting)); },
                       [=](Settings& s) { s.setValue(setting, edit->text()); }});
}

void RememberedControls::bind(QPlainTextEdit* edit, const TextSetting& setting)
{
    m_bindings.append({[=](const Settings& s) { edit->setPlainText(s.value(setting)); },
                       [=](Settings& s) { s.setValue(setting, edit->toPlainText()); }});
}

void RememberedControls::bind(QSpinBox* box, const NumberSetting& setting)
{
    m_bindings.append({[=](const Settings& s) { box->setValue(s.value(setting)); },
                       [=](Settings& s) { s.setValue(setting, box->value()); }});
}

void RememberedControls::bind(const QList<QAbstractButton*>& buttons, const NumberSetting& setting)
{
    m_bindings.append({[=](const Settings& s) {
                           QAbstractButton* button = buttons.value(s.value(setting));
                           if (button && !button->isChecked())
                               button->click();
                       },
                       [=](Settings& s) {
                           for (int i = 0; i < buttons.size(); ++i) {
                               if (buttons[i]->isChecked())
                                   s.setValue(setting, i);
                           }
                       }});
}

void RememberedControls::show(const Settings& settings) const
{
    for (const Binding& binding : m_bindings)
        binding.show(settings);
}

void RememberedControls::store(Settings& settings) const
{
    for (const Binding& binding : m_bindings)
        binding.store(settings);
}
