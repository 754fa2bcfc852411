// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/PdfOptionsDialog.h"

#include "gui/MessageBox.h"
#include "ui_PdfOptionsDialog.h"

#include <QDoubleValidator>
#include <QToolTip>
#include <QtNumeric>

PdfOptionsDialog::PdfOptionsDialog(const PdfOptions& options, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::PdfOptionsDialog>())
{
    m_ui->setupUi(this);
    m_ui->cboPageSize->addItems(ConverterOptions::pageSizeNames());
    m_ui->cboPageSize->setCurrentIndex(
        qMax(0, m_ui->cboPageSize->findText(options.page.pageSize, Qt::MatchFixedString)));
    const bool landscape = options.page.orientation == ConverterOptions::Orientation::Landscape;
    (landscape ? m_ui->optOrientation_1 : m_ui->optOrientation_0)->setChecked(true);
    // Only numbers as the user's locale writes them can be typed ("1,5" where the decimal point is a comma); the
    // core's check sets the range.
    auto* number = new QDoubleValidator(this);
    number->setNotation(QDoubleValidator::StandardNotation);
    number->setLocale(locale());
    for (const auto& [field, margin] : marginFields()) {
        field->setValidator(number);
        if (const std::optional<double>& value = options.page.*margin)
            field->setText(locale().toString(*value));
    }
    m_ui->chkAllowScripts->setChecked(options.page.allowScripts);
    m_ui->txtAuthor->setText(options.author);

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

PdfOptionsDialog::~PdfOptionsDialog() = default;

std::array<PdfOptionsDialog::MarginField, 4> PdfOptionsDialog::marginFields() const
{
    return {{{m_ui->txtMarginTop, &ConverterOptions::marginTop},
             {m_ui->txtMarginRight, &ConverterOptions::marginRight},
             {m_ui->txtMarginBottom, &ConverterOptions::marginBottom},
             {m_ui->txtMarginLeft, &ConverterOptions::marginLeft}}};
}

PdfOptions PdfOptionsDialog::options() const
{
    PdfOptions options;
    options.page.pageSize = m_ui->cboPageSize->currentText();
    options.page.orientation = m_ui->optOrientation_1->isChecked() ? ConverterOptions::Orientation::Landscape
                                                                   : ConverterOptions::Orientation::Portrait;
    for (const auto& [field, margin] : marginFields()) {
        const QString text = field->text().trimmed();
        if (text.isEmpty())
            continue;
        bool number = false;
        const double value = locale().toDouble(text, &number);
        options.page.*margin = number ? value : qQNaN();
    }
    options.page.allowScripts = m_ui->chkAllowScripts->isChecked();
    options.author = m_ui->txtAuthor->text().trimmed();
    return options;
}

void PdfOptionsDialog::accept()
{
    const PdfOptions chosen = options();
    if (const Result<> checked = chosen.page.check(); !checked) {
        // A margin refused is told beside its field, which takes the focus; other refusals in a message.
        for (const auto& [field, margin] : marginFields()) {
            ConverterOptions alone;
            alone.*margin = chosen.page.*margin;
            if (const Result<> marginChecked = alone.check(); !marginChecked) {
                field->setFocus();
                field->selectAll();
                QToolTip::showText(field->mapToGlobal(QPoint(field->width(), 0)), marginChecked.error(), field);
                return;
            }
        }
        MessageBox::warning(this, checked.error(), tr("Error"));
        return;
    }
    QDialog::accept();
}
