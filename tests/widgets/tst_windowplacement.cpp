// First places of the tool windows and windows brought back onto a screen.
#include "widgets/WindowPlacement.h"

#include <QTest>

namespace {
const QRect kScreen(0, 0, 1280, 1000);         // available area of the only screen
const QRect kRight(1280, 0, 1920, 1040);       // a second screen to its right
const QRect kMain(304, 194, 672, 640);         // the main window, centred on kScreen
} // namespace

class TestWindowPlacement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstPlaces_data();
    void firstPlaces();
    void cascadeKeepsWindowsApart();
    void rescue_data();
    void rescue();
    void wholeOnScreen_data();
    void wholeOnScreen();
};

void TestWindowPlacement::firstPlaces_data()
{
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("right of the main window") << kMain << QSize(250, 300) << 0 << QList<QRect>{kScreen}
                                              << QPoint(984, 194);
    QTest::newRow("next one a step lower and further right")
        << kMain << QSize(250, 300) << 1 << QList<QRect>{kScreen} << QPoint(1008, 218);
    QTest::newRow("no room on the right: left of it, cascading leftwards")
        << QRect(600, 100, 672, 640) << QSize(300, 300) << 1 << QList<QRect>{kScreen} << QPoint(268, 124);
    QTest::newRow("no room on either side: at the screen's right edge")
        << QRect(100, 100, 1100, 640) << QSize(300, 300) << 0 << QList<QRect>{kScreen} << QPoint(980, 100);
    QTest::newRow("cascade starts over at the top when the bottom is reached")
        << kMain << QSize(250, 700) << 5 << QList<QRect>{kScreen} << QPoint(984, 194);
    QTest::newRow("a window taller than the screen keeps its top on it")
        << kMain << QSize(250, 1400) << 3 << QList<QRect>{kScreen} << QPoint(984, 0);
    QTest::newRow("main window on the second screen: its screen is used")
        << QRect(1400, 100, 672, 640) << QSize(300, 300) << 0 << QList<QRect>{kScreen, kRight}
        << QPoint(2080, 100);
    QTest::newRow("main window partly above the screen: the tool window is not")
        << QRect(304, -20, 672, 640) << QSize(250, 300) << 0 << QList<QRect>{kScreen} << QPoint(984, 0);
    QTest::newRow("no screens known: beside the main window")
        << kMain << QSize(250, 300) << 0 << QList<QRect>{} << QPoint(984, 194);
}

void TestWindowPlacement::firstPlaces()
{
    QFETCH(QRect, main);
    QFETCH(QSize, frame);
    QFETCH(int, index);
    QFETCH(QList<QRect>, screens);
    QFETCH(QPoint, place);
    QCOMPARE(defaultToolWindowPosition(main, frame, index, screens), place);
}

// Seventeen windows: each starts on the screen, and no two at the same place
// while the cascade has room.
void TestWindowPlacement::cascadeKeepsWindowsApart()
{
    QList<QPoint> places;
    for (int i = 0; i < 17; ++i) {
        const QSize size(220 + 10 * (i % 3), 240);
        const QPoint p = defaultToolWindowPosition(kMain, size, i, {kScreen});
        QVERIFY2(kScreen.contains(QRect(p, size)), qPrintable(QString::number(i)));
        QVERIFY2(!places.contains(p), qPrintable(QString::number(i)));
        places << p;
    }
}

void TestWindowPlacement::rescue_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("on the screen: kept") << QRect(100, 100, 300, 200) << QPoint(100, 100);
    QTest::newRow("partly over the right edge, title reachable: kept")
        << QRect(1200, 100, 300, 200) << QPoint(1200, 100);
    QTest::newRow("on the second screen: kept") << QRect(2000, 500, 300, 200) << QPoint(2000, 500);
    QTest::newRow("in the screen's corner: kept")
        << QRect(0, 0, 300, 200) << QPoint(0, 0);
    QTest::newRow("far to the left: onto the first screen") << QRect(-5000, 300, 300, 200) << QPoint(0, 300);
    QTest::newRow("far to the right: onto the second screen, whole")
        << QRect(9000, 900, 300, 200) << QPoint(2900, 840);
    QTest::newRow("title above the screen: brought down") << QRect(100, -150, 300, 200) << QPoint(100, 0);
    QTest::newRow("below every screen") << QRect(400, 3000, 300, 200) << QPoint(400, 800);
    QTest::newRow("only a sliver on the screen: in whole")
        << QRect(-290, 100, 300, 200) << QPoint(0, 100);
}

void TestWindowPlacement::rescue()
{
    QFETCH(QRect, frame);
    QFETCH(QPoint, place);
    QCOMPARE(onScreenPosition(frame, {kScreen, kRight}), place);
}

void TestWindowPlacement::wholeOnScreen_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("whole on the screen: kept") << QRect(100, 100, 300, 200) << QPoint(100, 100);
    QTest::newRow("grown past the right edge: moved in") << QRect(1100, 100, 300, 200) << QPoint(980, 100);
    QTest::newRow("past the bottom: moved up") << QRect(100, 950, 300, 200) << QPoint(100, 800);
    QTest::newRow("mostly on the second screen: whole there")
        << QRect(3000, 100, 300, 200) << QPoint(2900, 100);
    QTest::newRow("wider than the screen: its left edge on it")
        << QRect(300, 100, 1600, 200) << QPoint(0, 100);
}

void TestWindowPlacement::wholeOnScreen()
{
    QFETCH(QRect, frame);
    QFETCH(QPoint, place);
    QCOMPARE(wholeOnScreenPosition(frame, {kScreen, kRight}), place);
}

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
