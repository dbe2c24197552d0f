// Stored window bounds against the screens there are: a damaged or foreign
// settings file must not give a window a size no screen can show.
#include "settings/StoredWindowFit.h"

#include <QTest>

#include <climits>

class TestStoredWindowFit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fitted_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        // Left, top, width, height: QRect cannot hold a width of INT_MAX at INT_MAX.
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QList<int>>("fitted");
        const QList<QRect> one{QRect(0, 0, 1280, 1024)};
        const QList<QRect> two{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
        QTest::newRow("fits: unchanged") << one << QList<int>{100, 50, 640, 480} << QList<int>{100, 50, 640, 480};
        QTest::newRow("largest size Qt knows is cut to the screen")
            << one << QList<int>{0, 0, 16777215, 16777215} << QList<int>{0, 0, 1280, 1024};
        QTest::newRow("30000 square on the second screen takes that screen's size, whole")
            << two << QList<int>{1300, 10, 30000, 30000} << QList<int>{1280, 0, 1920, 1080};
        QTest::newRow("too tall only: moved up as far as it takes")
            << one << QList<int>{200, 500, 640, 5000} << QList<int>{200, 0, 640, 1024};
        QTest::newRow("place on a screen is kept though the window hangs over its edge")
            << one << QList<int>{1000, 900, 640, 480} << QList<int>{1000, 900, 640, 480};
        QTest::newRow("place off every screen comes onto the nearest, whole")
            << two << QList<int>{5000, 2000, 800, 600} << QList<int>{2400, 480, 800, 600};
        QTest::newRow("far negative place") << one << QList<int>{INT_MIN, INT_MIN, 300, 200} << QList<int>{0, 0, 300, 200};
        QTest::newRow("far place with the largest size")
            << one << QList<int>{INT_MAX, INT_MAX, INT_MAX, INT_MAX} << QList<int>{0, 0, 1280, 1024};
        QTest::newRow("no screens: unchanged") << QList<QRect>() << QList<int>{-9000, 0, 30000, 5} << QList<int>{-9000, 0, 30000, 5};
    }
    void fitted()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(QList<int>, stored);
        QFETCH(QList<int>, fitted);
        const StoredWindow in{.top = stored[1], .left = stored[0], .width = stored[2], .height = stored[3], .shown = true};
        const StoredWindow out = fittedToScreens(in, screens);
        QCOMPARE(QList<int>({out.left, out.top, out.width, out.height}), fitted);
        QVERIFY(out.shown);
    }
};

QTEST_APPLESS_MAIN(TestStoredWindowFit)
#include "tst_storedwindowfit.moc"
