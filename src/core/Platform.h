// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QProcess;

// What differs between Windows, where the program's users are, and the systems it is built and tested on.
namespace Platform {

// The folder separator of paths shown to and typed by the user: "\" on Windows, "/" elsewhere.
QChar separator();

// How the file systems of the system compare file names: without regard to letter case on Windows and macOS,
// exactly elsewhere, where "Notes.pdf" and "notes.pdf" are two files.
Qt::CaseSensitivity fileNameCase();
// A file name or path in the form that compares equal exactly when the file system takes it for the same file.
QString fileNameKey(const QString& name);

// The line ending of text files the program writes, so that the system's editors show their lines: CR LF on
// Windows, LF elsewhere.
QString lineEnding();

// The converter's file name in the bin folder.
QString converterFileName();
// The file name of the converter's image tool beside it, which draws the ad preview.
QString imageToolFileName();

// Whether a converter kept running can read the text on the lines it is given (ConverterLine). On Windows the
// converter reads its line as 8-bit text in a code page of its own, not necessarily UTF-8, so only ASCII is sure
// to arrive whole: a page with other letters keeps a converter process of its own.
bool converterLineCarries(const QString& text);

// The folder of the user's settings, where QSettings keeps the INI files of the user scope: the roaming
// %APPDATA% on Windows, the XDG configuration folder elsewhere; empty when there is none.
QString settingsFolder();

// The converter's process leads a process group of its own, so that whatever it starts ends with it and the
// terminal's Ctrl+C reaches the program alone, which then ends its converters itself (on Windows a console
// process group, and a job object that holds all it starts). It is also killed when the program ends, however it
// ends: on Linux by the parent's death signal, on Windows as the system closes the job.
void leadOwnProcessGroup(QProcess& process);
// Kills the process and its process group (on Windows its job).
void killProcessGroup(QProcess& process);
// Kills the process as killProcessGroup does and deletes it once it has ended, with nothing waiting for that end:
// it is taken from its parent, whose end would wait, and its signals reach no one else any more.
void reapProcessGroup(QProcess* process);

// What is at path, for a message about a path that is not what was asked for: "a file", "a folder", "a named pipe
// (FIFO)", "a device", "a socket" or "not a file nor a folder"; empty when nothing is there.
QString entryKind(const QString& path);

// Whether a write to the file at path most likely failed for want of room: its volume has next to nothing free, or
// the file has reached the largest size this process (and the converters it starts) may write.
bool diskFull(const QString& path);

// The memory the system can give without swapping, in bytes; 0 when unknown.
qint64 availableMemory();

} // namespace Platform
