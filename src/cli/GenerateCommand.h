// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCommandLineParser;

// leafrunner-cli generate: the Random Content Generator's text, on standard output or saved as a file.
namespace GenerateCommand {

void describe(QCommandLineParser& parser);
int run(const QCommandLineParser& parser);

} // namespace GenerateCommand
