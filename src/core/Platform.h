#pragma once

#include <QString>

// What differs between Windows, where the program's users are, and the systems it is built and tested on.
namespace Platform {

// The folder separator of paths shown to and typed by the user: "\" on Windows, "/" elsewhere.
QChar separator();

// The line ending of text files the program writes, so that the system's editors show their lines: CR LF on
// Windows, LF elsewhere.
QString lineEnding();

// The converter's file name in the bin folder.
QString converterFileName();
// The file name of the converter's image tool beside it, which draws the ad preview.
QString imageToolFileName();

} // namespace Platform
