// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how the main window answers while it works, with the real converter and image tool, under whatever
// platform QT_QPA_PLATFORM names:
//   typing an ad title: from the last key to the new preview, and the longest event-loop gap meanwhile;
//   a bulk Create of 100 articles: its time, the longest event-loop gap until the closing box, and the processor
//   time the window's own process took meanwhile (the converters' not included).
//   bench_window_run [N]    N converters at once (default: the window's own)
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "support/TestAppFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include <sys/resource.h>

namespace {

constexpr int Articles = 100;
constexpr int KeyIntervalMs = 120;

// The longest time the event loop went without a turn since the last reset, in milliseconds.
class GapMeter
{
public:
    GapMeter()
    {
        m_ticker.setInterval(5);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { m_longest = std::max(m_longest, m_since.restart()); });
        reset();
        m_ticker.start();
    }
    void reset()
    {
        m_since.start();
        m_longest = 0;
    }
    qint64 longest() const { return m_longest; }

private:
    QTimer m_ticker;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    MessageBox::setTestMode(true);
    TestAppFolder folder;
    QFile::link(LEAF_SYSTEM_IMAGE_TOOL, folder.folders().imageTool());
    const QByteArray paragraph = QByteArray("Water the tomatoes early and feed the soil. ").repeated(20) + "\r\n\r\n";
    for (int i = 0; i < Articles; ++i)
        folder.writeFile(QString("articles/article %1.txt").arg(i, 3, 10, QChar('0')), paragraph.repeated(3));

    MainWindow window(folder.folders(), folder.path() + "/articles");
    window.show();
    auto* picture = window.findChild<QLabel*>("Picture3");
    const auto previewChanged = [picture](qint64 key) {
        return QTest::qWaitFor([&] { return picture->pixmap().cacheKey() != key; }, 20000);
    };
    GapMeter gaps;
    if (!previewChanged(picture->pixmap().cacheKey()))
        std::printf("no first preview: %s\n", qPrintable(window.findChild<QLabel*>("lblPreviewNote")->text()));

    window.showPage(1);
    auto* title = window.findChild<QLineEdit*>("txtAdTitle");
    const qint64 before = picture->pixmap().cacheKey();
    gaps.reset();
    for (const QChar key : QString("Grow Tomatoes Like a Pro")) {
        QTest::keyClick(title, key.toLatin1());
        QTest::qWait(KeyIntervalMs);
    }
    QElapsedTimer sinceLastKey;
    sinceLastKey.start();
    const bool shown = previewChanged(before);
    std::printf("typing %d keys, one each %d ms: last key to new preview %lld ms%s; longest event-loop gap %lld ms\n",
                int(title->text().size()), KeyIntervalMs, sinceLastKey.elapsed() + KeyIntervalMs,
                shown ? "" : " (no new preview)", gaps.longest());

    window.findChild<QLineEdit*>("txtCTAText")->setText("Get the Free Guide");
    QTest::mouseClick(window.findChild<QWidget*>("optCreationMode_1"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QWidget*>("cmdSingleMenu_0"), Qt::LeftButton);
    window.showPage(2);
    if (argc > 1)
        window.findChild<QSpinBox*>("spnConverters")->setValue(QString(argv[1]).toInt());
    MessageBox::setNextAnswer(MessageBox::No);
    const double processorBefore = processorSeconds();
    QElapsedTimer run;
    run.start();
    gaps.reset();
    QTest::mouseClick(window.findChild<QWidget*>("cmdCreate"), Qt::LeftButton);
    const bool ended = QTest::qWaitFor([] { return !MessageBox::shown().isEmpty(); }, 600000);
    std::printf("bulk Create of %d articles, converters at once %s: %.1f s%s; longest event-loop gap %lld ms; "
                "window's processor time %.2f s\n",
                Articles, qPrintable(window.findChild<QSpinBox*>("spnConverters")->text()), run.elapsed() / 1000.0,
                ended ? "" : " (did not end)", gaps.longest(), processorSeconds() - processorBefore);
    std::printf("closing box: %s\n", qPrintable(MessageBox::last().text.section('\n', 0, 0)));
    return ended && shown ? 0 : 1;
}
