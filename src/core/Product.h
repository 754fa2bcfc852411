#pragma once

#include <QString>
#include <QStringList>

class AppFolders;

// What the main window needs before it is first shown: its fixed texts, the keyword combination patterns and an
// output folder to write PDFs into.
namespace Startup {

// "Leafrunner Pro"
QString ProductLabel();
// "by " and the vendor's web address
QString Byline();
// product label, version and byline, separated by blanks
QString WindowTitle();

// The lines of the keyword list file in file order; empty when the file is missing or cannot be read.
QStringList KeywordCombinations(const AppFolders& folders);

// Creates the output folder when it is missing. Only the last level is made: without a bin folder nothing is
// created. True when the folder exists afterwards.
bool EnsureOutputFolder(const AppFolders& folders);

} // namespace Startup
