#pragma once

#include "core/AppFolders.h"
#include "core/Result.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;

// What the commands of leafrunner-cli share: their texts, exit codes and output, and the application folder.
namespace Console {

enum ExitCode { Success = 0, SomeFailed = 1, BadUsage = 2, Interrupted = 130 };

QString tr(const char* text);

// A whole line on standard error.
void error(const QString& text);
// Says why on standard error and returns BadUsage.
int refuse(const QString& text);
// Text on standard error as it stands, for a progress line redrawn in place.
void progress(const QString& text);
bool errorIsTerminal();
// Bytes on standard output.
void output(const QByteArray& bytes);

QCommandLineOption appFolderOption();
// The folder --app-folder names, else the executable's folder; a folder that is not there is refused.
Result<AppFolders> appFolders(const QCommandLineParser& parser);

} // namespace Console
