#include "gui/PdfOptionsDialog.h"

#include "gui/MessageBox.h"
#include "ui_PdfOptionsDialog.h"

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
    for (const auto& [field, margin] : marginFields()) {
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
    if (const Result<> checked = options().page.check(); !checked) {
        MessageBox::warning(this, checked.error(), tr("Error"));
        return;
    }
    QDialog::accept();
}
