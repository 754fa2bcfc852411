// SPDX-License-Identifier: GPL-3.0-or-later
// Generate in the real window under the offscreen platform: how long it takes, and the longest time the event loop
// waits meanwhile, beside the baseline of shuffling a whole list per pick and yielding after every word.

#include "gui/GeneratorDialog.h"
#include "gui/MessageBox.h"
#include "support/TestAppFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int wordsPerList = 1000;
constexpr int runs = 5;

struct Figures {
    double seconds = 0;
    double longestGapMs = 0;
};

// A zero-interval timer ticks on every turn of the event loop; the longest time between two ticks is the longest
// the window was unresponsive.
Figures generate(GeneratorDialog& window, int pages)
{
    window.findChild<QComboBox*>("cboParagraphs")->setEditText(QString::number(pages));
    QSignalSpy generated(&window, &GeneratorDialog::generated);
    QElapsedTimer sinceTick;
    qint64 longestGapNs = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    probe.start(0);

    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    window.findChild<QPushButton*>("Command1")->click();
    generated.wait(60000);
    const qint64 total = clock.nsecsElapsed();

    // The text box lays out and paints the new text in the turns that follow.
    QEventLoop repaint;
    int ticksLeft = 3;
    QObject::connect(&probe, &QTimer::timeout, &repaint, [&] {
        if (--ticksLeft == 0)
            repaint.quit();
    });
    repaint.exec();
    return {total / 1e9, longestGapNs / 1e6};
}

double baselineSeconds(int lastPage, RandomText::WordLists words)
{
    QElapsedTimer clock;
    clock.start();
    QString text;
    for (int pick = 0; pick < (lastPage + 1) * 100; ++pick) {
        QStringList& list = words[pick % RandomText::WordListCount];
        std::shuffle(list.begin(), list.end(), *QRandomGenerator::global());
        text += list.first() + ' ';
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);

    TestAppFolder folder(TestAppFolder::NoConverter);
    RandomText::WordLists words;
    for (int k = 0; k < RandomText::WordListCount; ++k) {
        for (int i = 0; i < wordsPerList; ++i)
            words[k].append(QString("word%1x%2").arg(k).arg(i));
        folder.writeFile(QString("random/%1.txt").arg(k + 1), words[k].join("\r\n").toUtf8());
    }
    GeneratorDialog window(
        folder.folders(), [&] { return folder.path(); }, [] {});
    window.findChild<QPlainTextEdit*>("txtKeywords")->setPlainText("first keyword\nsecond keyword");
    window.show();

    std::printf("Generate in the window, %d words per list, median of %d runs:\n", wordsPerList, runs);
    for (const int pages : {50, 200, 32767}) {
        std::array<Figures, runs> figures;
        for (Figures& run : figures)
            run = generate(window, pages);
        std::sort(figures.begin(), figures.end(), [](auto& a, auto& b) { return a.seconds < b.seconds; });
        const double worstGap = std::max_element(figures.begin(), figures.end(), [](auto& a, auto& b) {
                                    return a.longestGapMs < b.longestGapMs;
                                })->longestGapMs;
        std::printf("  %5d pages: %.3f s, longest event-loop gap %.1f ms", pages, figures[runs / 2].seconds, worstGap);
        // The baseline takes minutes for the largest count.
        if (pages <= 200) {
            const double baseline = baselineSeconds(pages, words);
            std::printf("; baseline %.3f s, %.0fx", baseline, baseline / figures[runs / 2].seconds);
        }
        std::printf("\n");
    }
    std::printf("Targets: 200 pages under 0.3 s, no gap over 100 ms.\n");
    return 0;
}
