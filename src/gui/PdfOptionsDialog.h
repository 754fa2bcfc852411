// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobTypes.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <utility>

class QLineEdit;

namespace Ui {
class PdfOptionsDialog;
}

// The PDF Options dialog: the page size, orientation and margins the converter lays the pages out with, whether
// the pages' scripts run, and the PDFs' author. OK takes the options only when the core's check passes; otherwise
// the dialog says why and stays open with the values as typed.
class PdfOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PdfOptionsDialog(const PdfOptions& options, QWidget* parent = nullptr);
    ~PdfOptionsDialog() override;

    // The options as the dialog shows them. An empty margin is the converter's own; one that is not a number is
    // NaN, which the check refuses.
    PdfOptions options() const;

    void accept() override;

private:
    using MarginField = std::pair<QLineEdit*, std::optional<double> ConverterOptions::*>;
    std::array<MarginField, 4> marginFields() const;

    std::unique_ptr<Ui::PdfOptionsDialog> m_ui;
};
