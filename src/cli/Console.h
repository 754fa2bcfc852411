// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppFolders.h"
#include "core/Result.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;

// What the commands of leafrunner-cli share: their texts, exit codes and output, and the application folder.
namespace Console {

// BadUsage for every fault found before the first conversion started, SomeFailed once conversions ran and failed.
enum ExitCode { Success = 0, SomeFailed = 1, BadUsage = 2, HungUp = 129, Interrupted = 130 };

QString tr(const char* text);

// A whole line on standard error.
void error(const QString& text);
// Says why on standard error and returns BadUsage; for --json also as {"error": text, "exitCode": 2} on standard
// output.
int refuse(const QString& text, bool json = false);
// Text on standard error as it stands, for a progress line redrawn in place.
void progress(const QString& text);
bool errorIsTerminal();
// Bytes on standard output.
void output(const QByteArray& bytes);

// Why the path cannot be used as what ("The article") that should be wanted ("a text file"): nothing is there, or
// something else.
QString unusable(const QString& what, const QString& path, const QString& wanted);

QCommandLineOption appFolderOption();
// The folder --app-folder names, else the executable's folder; a folder that is not there is refused.
Result<AppFolders> appFolders(const QCommandLineParser& parser);

} // namespace Console
