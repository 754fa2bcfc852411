#pragma once

#include <QString>

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

// Whether a converter kept running can read the text on the lines it is given (ConverterLine): on Windows the code
// page it reads them in is not known, so only ASCII, and a page with other letters keeps its own command line.
bool converterLineCarries(const QString& text);

// What is at path, for a message about a path that is not what was asked for: "a file", "a folder", "a named pipe
// (FIFO)", "a device", "a socket" or "not a file nor a folder"; empty when nothing is there.
QString entryKind(const QString& path);

// Whether a write to the file at path most likely failed for want of room: its volume has next to nothing free, or
// the file has reached the largest size this process (and the converters it starts) may write.
bool diskFull(const QString& path);

// The memory the system can give without swapping, in bytes; 0 when unknown.
qint64 availableMemory();

} // namespace Platform
