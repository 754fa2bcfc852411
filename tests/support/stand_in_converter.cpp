// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the converter that acts out the script in stand-in.txt beside it, one command a line, for each page:
//   pdf                      writes a small whole PDF as the PDF
//   write FILE TEXT          writes TEXT to FILE; append FILE TEXT adds it as a line
//   zeros N                  writes the start of a PDF and N zero bytes as the PDF, as far as the disk takes them
//   say TEXT                 says TEXT on the error output
//   exit CODE, crash         ends so; hang FILE adds its own and a sleeping child's process ids to FILE and waits
//   wait-for FILE            waits until FILE is there (at most 20 s)
//   wait-lines FILE TEXT N   waits until N lines of FILE start with TEXT (at most 10 s)
//   fail-once FILE           ends with exit code 1 when FILE is not there, making it
// "if GLOB COMMAND" runs the command only when the page's file name or one of the arguments matches GLOB. Words are
// separated by blanks or double-quoted, with \\ and \" escapes; {page}, {pdf}, {dir} (the page's folder), {name}
// and {pdfname} (the file names), {pid} and {nl} (a line break) stand for what they say. As the real converter, with
// --read-args-from-stdin last it converts each line's page and PDF in turn, saying "Done" after each, and ends when
// a conversion fails.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

QStringList words(const QString& line)
{
    static const QRegularExpression word(R"re("((?:[^"\\]|\\.)*)"|\S+)re");
    static const QRegularExpression escape(R"re(\\(.))re");
    QStringList words;
    for (const QRegularExpressionMatch& match : word.globalMatch(line))
        words << (match.hasCaptured(1) ? match.captured(1).replace(escape, "\\1") : match.captured(0));
    return words;
}

bool write(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode = QIODevice::Truncate)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | mode) && file.write(bytes) == bytes.size();
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Polls for the condition, for at most the time given; a stand-in may sleep.
template <class Condition> void waitFor(Condition condition, int seconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && !timer.hasExpired(seconds * 1000))
        QThread::msleep(20);
}

// Acts out the script for one page; the exit code when a command ends the conversion.
std::optional<int> convert(const QStringList& script, const QStringList& arguments, const QString& page,
                           const QString& pdf)
{
    const QFileInfo pageInfo(page);
    for (const QString& line : script) {
        QStringList command = words(line);
        if (command.value(0) == "if") {
            const QRegularExpression glob = QRegularExpression::fromWildcard(command.value(1));
            if (!glob.match(pageInfo.fileName()).hasMatch() && arguments.indexOf(glob) < 0)
                continue;
            command.remove(0, 2);
        }
        command.replaceInStrings("{page}", page).replaceInStrings("{pdf}", pdf).replaceInStrings("{nl}", "\n");
        command.replaceInStrings("{dir}", pageInfo.path()).replaceInStrings("{name}", pageInfo.fileName());
        command.replaceInStrings("{pdfname}", QFileInfo(pdf).fileName());
        command.replaceInStrings("{pid}", QString::number(QCoreApplication::applicationPid()));
        const QString verb = command.value(0);
        const QString file = command.value(1);
        const QByteArray text = command.value(2).toUtf8();
        if (verb == "pdf")
            write(pdf, "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[]/Count 0>>"
                       "endobj\nxref\n0 3\n0000000000 65535 f \n0000000009 00000 n \n0000000052 00000 n \n"
                       "trailer<</Size 3/Root 1 0 R>>\nstartxref\n96\n%%EOF\n");
        else if (verb == "write" || verb == "append")
            write(file, verb == "write" ? text : text + '\n',
                  verb == "write" ? QIODevice::Truncate : QIODevice::Append);
        else if (verb == "zeros")
            write(pdf, "%PDF-1.4\n" + QByteArray(file.toInt(), '\0'));
        else if (verb == "say")
            std::fprintf(stderr, "%s\n", qPrintable(file));
        else if (verb == "exit" || (verb == "fail-once" && !QFile::exists(file) && write(file, {})))
            return verb == "exit" ? file.toInt() : 1;
        else if (verb == "wait-for")
            waitFor([&] { return QFile::exists(file); }, 20);
        else if (verb == "wait-lines")
            waitFor([&] { return ("\n" + read(file)).count("\n" + text) >= command.value(3).toInt(); }, 10);
        else if (verb == "hang") {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {"--sleep"});
            child.waitForStarted();
            write(file,
                  QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                      QByteArray::number(child.processId()) + '\n',
                  QIODevice::Append);
            child.waitForFinished(-1);
        } else if (verb == "crash") {
#ifdef Q_OS_WIN
            ExitProcess(EXCEPTION_ACCESS_VIOLATION);
#else
            std::signal(SIGSEGV, SIG_DFL); // not a sanitizer's report of it
            std::raise(SIGSEGV);
#endif
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == "--sleep") {
        QThread::sleep(60);
        return 0;
    }
    const QString scriptFile = QDir(QCoreApplication::applicationDirPath()).filePath("stand-in.txt");
    const QStringList script = QString::fromUtf8(read(scriptFile)).split('\n', Qt::SkipEmptyParts);
    if (arguments.last() != "--read-args-from-stdin")
        return convert(script, arguments, arguments.value(arguments.size() - 2), arguments.last()).value_or(0);
    for (std::string text; std::getline(std::cin, text);) {
        const QStringList line = words(QString::fromStdString(text));
        const auto code = convert(script, arguments + line, line.value(line.size() - 2), line.value(line.size() - 1));
        if (code.value_or(0) != 0)
            return *code;
        std::fprintf(stderr, "Done\n");
        std::fflush(stderr);
    }
    return 0;
}
