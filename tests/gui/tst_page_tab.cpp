#include "gui/PageTab.h"

#include <QIcon>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class TestPageTab : public QObject
{
    Q_OBJECT

private slots:
    void clicksOnFrameAndCaptionCarryTheIndex()
    {
        PageTab tab(2, QIcon(), "Create!");
        tab.resize(150, 46);
        tab.show();
        QSignalSpy clicks(&tab, &PageTab::clicked);
        QTest::mouseClick(&tab, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(tab.label(), Qt::LeftButton);
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(clicks.at(1).at(0).toInt(), 2);

        tab.setSelectable(false);
        QVERIFY(!tab.isSelectable());
        QCOMPARE(tab.frameShadow(), QFrame::Sunken);
    }
};

QTEST_MAIN(TestPageTab)
#include "tst_page_tab.moc"
