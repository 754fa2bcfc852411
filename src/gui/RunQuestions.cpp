// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/RunQuestions.h"

#include "core/CreateFlow.h"
#include "core/Settings.h"

bool RunQuestions::confirm(QWidget* parent, Settings& settings, PdfJobRequest& request)
{
    if (!CreateFlow::check(request))
        return true;
    if (const Result<void, Message> shared = CreateFlow::checkSharedNames(request); !shared) {
        if (!MessageBox::question(parent, shared.error().text + "\n\n" + tr("Make them anyway?"), shared.error().title,
                                  MessageBox::No))
            return false;
        request.allowSameName = true;
    }
    const QList<std::pair<int, QString>> existing = CreateFlow::existingPdfs(request);
    if (existing.isEmpty())
        return true;
    int choice = settings.value(Remembered::ExistingPdfs);
    if (choice == 0) {
        bool dontAskAgain = false;
        const MessageBox::Answer answer = MessageBox::askExisting(
            parent, CreateFlow::existingText(existing) + "\n\n" + tr("Replace them, or skip their articles?"),
            tr("PDFs Already Made"), &dontAskAgain);
        if (answer == MessageBox::Cancel)
            return false;
        choice = answer == MessageBox::Skip ? 2 : 1;
        if (dontAskAgain)
            settings.setValue(Remembered::ExistingPdfs, choice);
    }
    request.existing = choice == 2 ? ExistingPdfs::Skip : ExistingPdfs::Replace;
    return true;
}

MessageBox::Answer RunQuestions::showClosingBox(QWidget* parent, const AppFolders& folders, const PdfJobReport& report,
                                                const ClosingBox& box)
{
    // PDFs kept elsewhere than the user would look say where.
    const QString text =
        folders.isOutputInDataFolder() && report.madeCount() > 0
            ? tr("No Documents folder could be written, so the PDFs are in:\n%1").arg(folders.output()) + "\n\n" +
                  box.text
            : box.text;
    return box.askToOpenOutput ? MessageBox::show(parent, text, box.title, MessageBox::Question, MessageBox::YesNo,
                                                  MessageBox::Yes, box.offerRetry)
                               : MessageBox::show(parent, text, box.title, MessageBox::Warning, MessageBox::Ok,
                                                  MessageBox::AnswerOk, box.offerRetry);
}
