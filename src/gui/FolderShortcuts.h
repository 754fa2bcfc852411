// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Opening a folder in the system's file manager (on Windows the Explorer, by the shell, which needs no command
// line to be quoted). The program does not wait for it.
namespace FolderShortcuts {

// False when the file manager could not be started.
bool openFolder(const QString& folder);

// Testing: no file manager is started; the folders are recorded and each call answers the next queued result,
// or true when none is queued.
void setTestMode(bool on);
void setNextResult(bool started);
QStringList opened();

} // namespace FolderShortcuts
