#pragma once

#include "main_window/PdfJobRequest.h"

#include <optional>

// What the Create command does before a job starts: check the entries, then delete the pages of earlier runs.
// The window reads its controls into a request, shows the message of CreateCheck if there is one, clears the old
// pages (stopping with OldPagesMessage if any remain) and starts the job.

struct CreateMessage {
    QString title;
    QString text;
};

// The first gap in the entries the chosen mode needs, in a fixed order: articles, ad block, then the final
// filename list (bulk mode with keyword names) or the PDF name (single mode). A text is missing only when empty;
// nothing is trimmed. These messages have the title "Missing Info". A name that no file may have (FileNameProblem
// of the single PDF, or of each final list item as the PDF it names) is refused too, the first one named, with the
// title "Error". Shown with the information icon and OK. Nothing when the job can start.
std::optional<CreateMessage> CreateCheck(const PdfJobRequest& request);

// Deletes the "*.html" files in the bin folder, except the page template, whatever the letter case of its name;
// other files stay. Returns the paths of the pages that could not be deleted.
QStringList ClearOldPages(const AppFolders& folders);

// What to tell the user when old pages remain: nothing is converted then, since a stale page would be taken for
// a new one.
CreateMessage OldPagesMessage(const QStringList& pages);
