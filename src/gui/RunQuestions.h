// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/MessageBox.h"

#include <QCoreApplication>

class AppFolders;
class Settings;
struct ClosingBox;
struct PdfJobReport;
struct PdfJobRequest;

// The boxes on either side of a Create run: the questions asked before it starts, whose answers go into its
// request, and the box that tells how it went.
class RunQuestions
{
    Q_DECLARE_TR_FUNCTIONS(RunQuestions)

public:
    // Asks about PDF names several articles share and about PDFs the output folder already holds, unless the
    // answer to that is remembered in settings, and puts the answers into the request; false when the user chose
    // not to make the PDFs. Entries the checks refuse are not asked about: their own messages come first.
    static bool confirm(QWidget* parent, Settings& settings, PdfJobRequest& request);
    // Shows the closing box of a finished run, first saying where the PDFs are when no Documents folder could take
    // them; returns the answer.
    static MessageBox::Answer showClosingBox(QWidget* parent, const AppFolders& folders, const PdfJobReport& report,
                                             const ClosingBox& box);
};
