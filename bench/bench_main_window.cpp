// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the main window on a folder of 10,000 articles, under whatever platform QT_QPA_PLATFORM names
// (offscreen for figures comparable between machines):
//   start-up to the first show, a folder change to the folder (list and count), "Add All the Articles >>".
// Each figure is the median of several runs, printed with its ratio to the 0.5 s target and to a bare listing
// of the folder, the least any window could do.
#include "gui/FolderBrowser.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

constexpr int Articles = 10000;
constexpr int Runs = 5;
constexpr double TargetMs = 500;

// Median time of fn, in milliseconds; prepare runs untimed before each run.
double medianMs(const std::function<void()>& prepare, const std::function<void()>& fn)
{
    QList<double> times;
    for (int run = 0; run < Runs; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        fn();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(Runs / 2);
}

// Lets the window lay itself out and paint, as it would before the user sees the result.
void settle()
{
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir root;
    QDir(root.path()).mkpath("app/bin");
    QDir(root.path()).mkpath("articles");
    QDir(root.path()).mkpath("empty");
    const AppFolders folders(QDir::toNativeSeparators(root.filePath("app")), QDir::separator());
    const QString articles = root.filePath("articles");
    for (int i = 0; i < Articles; ++i) {
        QFile file(QStringLiteral("%1/article-%2.txt").arg(articles).arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write("An article.\r\n") < 0) {
            out << "cannot write the article folder\n";
            return 1;
        }
    }

    qsizetype listed = 0;
    const double baseline = medianMs([] {}, [&] { listed = QDir(articles).entryList({"*.txt"}, QDir::Files).size(); });

    std::unique_ptr<MainWindow> window;
    const double startup = medianMs([&] { window.reset(); },
                                    [&] {
                                        window = std::make_unique<MainWindow>(folders, articles);
                                        window->show();
                                        settle();
                                    });
    const QString counted = window->findChild<QLabel*>("lblFilesFound")->text();

    auto* dir = window->findChild<FolderList*>("Dir1");
    const double folderChange = medianMs([&] { dir->setPath(root.filePath("empty")); },
                                         [&] {
                                             dir->setPath(articles);
                                             settle();
                                         });

    auto* removeAll = window->findChild<QPushButton*>("cmdSingleMenu_1");
    auto* addAll = window->findChild<QPushButton*>("cmdSingleMenu_0");
    const double addAllMs = medianMs([&] { removeAll->click(); },
                                     [&] {
                                         addAll->click();
                                         settle();
                                     });
    const int added = window->findChild<QListWidget*>("lstSelectedArticles")->count();

    out << QStringLiteral("Main window, %1 articles (%2 listed, %3 counted, %4 added), median of %5 runs\n")
               .arg(Articles)
               .arg(listed)
               .arg(counted)
               .arg(added)
               .arg(Runs);
    out << QStringLiteral("  %1 %2 %3 %4\n").arg("", -30).arg("ms", 9).arg("/ target", 9).arg("/ listing", 10);
    const auto row = [&](const QString& name, double ms) {
        out << QStringLiteral("  %1 %2 %3 %4\n")
                   .arg(name, -30)
                   .arg(ms, 9, 'f', 1)
                   .arg(ms / TargetMs, 9, 'f', 2)
                   .arg(ms / baseline, 10, 'f', 1);
    };
    row("bare folder listing", baseline);
    row("start-up to first show", startup);
    row("folder change (list + count)", folderChange);
    row("Add All the Articles >>", addAllMs);
    out << QStringLiteral("target: each under %1 ms\n").arg(TargetMs);
    const bool met = startup < TargetMs && folderChange < TargetMs && addAllMs < TargetMs;
    return met ? 0 : 1;
}
