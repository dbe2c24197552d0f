#include "reshape/LineChecks.h"

#include "platform/Fonts.h"
#include "reshape/DisplayWidth.h"

#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLineChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void byCount_data();
    void byCount();
    void byPixels_data();
    void byPixels();
    void total();
};

void TestLineChecks::byCount_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("charPos");
    QTest::addColumn<int>("found");
    const QString ten = QString(10, u'あ');
    QTest::newRow("10 full-width fit limit 20") << QStringList{ten} << 10 << -1;
    QTest::newRow("11 full-width reported") << QStringList{u"x"_s, ten + u'あ'} << 10 << 1;
    QTest::newRow("20 half-width fit") << QStringList{QString(20, u'a')} << 10 << -1;
    QTest::newRow("21 half-width reported") << QStringList{QString(21, u'a')} << 10 << 0;
    QTest::newRow("mixed 27 cells reported") << QStringList{u"ABCあいうえおかきくけこさ"_s} << 10 << 0;
    QTest::newRow("ambiguous symbols push over") << QStringList{u"あいうえおかきくけ○○"_s} << 10 << 0;
    QTest::newRow("wide comment never reported") << QStringList{u"<-"_s + QString(40, u'あ')} << 10 << -1;
    QTest::newRow("first of two is reported")
        << QStringList{u"ok"_s, ten + u"ああ"_s, ten + u"あ"_s} << 10 << 1;
    QTest::newRow("limit 0: first non-empty caption line")
        << QStringList{QString(), u"<-x"_s, u"a"_s} << 0 << 2;
    QTest::newRow("empty roll") << QStringList{} << 10 << -1;
}

void TestLineChecks::byCount()
{
    QFETCH(QStringList, lines);
    QFETCH(int, charPos);
    QFETCH(int, found);
    QCOMPARE(findOverlongByCount(lines, lineLimitCells(charPos)), found);
}

void TestLineChecks::byPixels_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("found");
    QTest::addColumn<qint64>("excess");
    // "ＭＳ ゴシック" 55 pt: 73 pixels per full-width character.
    QTest::newRow("20 full-width over 1440") << QStringList{QString(20, u'漢')} << 1440 << 0 << qint64(20);
    QTest::newRow("19 full-width fit 1440") << QStringList{QString(19, u'漢')} << 1440 << -1 << qint64(0);
    QTest::newRow("comment skipped") << QStringList{u"<-"_s + QString(30, u'漢'), QString(9, u'漢')} << 640 << 1 << qint64(17);
    QTest::newRow("exactly the screen passes") << QStringList{QString(8, u'漢')} << 584 << -1 << qint64(0);
}

void TestLineChecks::byPixels()
{
    QFETCH(QStringList, lines);
    QFETCH(int, screen);
    QFETCH(int, found);
    QFETCH(qint64, excess);
    const PixelOverrun r = findOverlongByPixels(lines, screen, [](const QString &t) {
        return textWidthAt96Dpi(t, u"ＭＳ ゴシック"_s, 55);
    });
    QCOMPARE(r.line, found);
    QCOMPARE(r.excess, excess);
}

void TestLineChecks::total()
{
    QCOMPARE(characterTotal({u"あいう"_s, u"<-メモ"_s, u"ABC"_s}), qsizetype(10));
    QCOMPARE(characterTotal({}), qsizetype(0));
}

QTEST_MAIN(TestLineChecks)
#include "tst_linechecks.moc"
