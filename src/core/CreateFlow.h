#pragma once

#include "core/PdfJobTypes.h"

#include <QLockFile>

#include <optional>

// What the Create command does before a job starts: check the entries, take the run lock, then delete the pages of
// earlier runs. The window reads its controls into a request, shows the message of CreateCheck if there is one,
// takes its RunLock (stopping with BusyMessage if another program holds it), clears the old pages (stopping with
// OldPagesMessage if any remain, and releasing the lock) and starts the job; it releases the lock when the job has
// ended.

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

// One run at a time per application folder. Two programs started from one folder share its bin folder, and the
// Create of one would clear the pages that the other's converters still read. The lock is a file in the bin folder;
// a lock left by a program that has ended is taken over, and only then.
class RunLock
{
public:
    explicit RunLock(const AppFolders& folders);

    // False while another program's run holds the lock. A lock file that cannot be made at all (no bin folder, a bin
    // folder that takes no files) does not stop the run: the run meets that fault itself and says so.
    bool take();
    void release() { m_file.unlock(); }

private:
    QLockFile m_file;
};

// What to tell the user when another program's run holds the lock; nothing has been changed then.
CreateMessage BusyMessage();
