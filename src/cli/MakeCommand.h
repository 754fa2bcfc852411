// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCommandLineParser;

// leafrunner-cli make: the window's Create command on the articles and entries given on the command line.
namespace MakeCommand {

// The command's options and arguments.
void describe(QCommandLineParser& parser);
// Runs the command on what the parser took in and returns the exit code.
int run(const QCommandLineParser& parser);

} // namespace MakeCommand
