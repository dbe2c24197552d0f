// What the gutter says, without widgets: gutter labels in both modes and the
// rows-per-slide answer.
#include "roll/GutterLabels.h"

#include <QTest>

#include <climits>

using namespace Qt::StringLiterals;

class TestGutterLabels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void labels_data();
    void labels();
    void rowsAnswer_data();
    void rowsAnswer();
};

void TestGutterLabels::labels_data()
{
    QTest::addColumn<bool>("slide");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("first");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("numbers") << false << 3 << 0 << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s};
    QTest::newRow("numbers far down") << false << 0 << 99998 << QStringList{u"99999"_s, u"100000"_s};
    QTest::newRow("3 rows a slide")
        << true << 3 << 0
        << QStringList{u"1-1"_s, u"1-2"_s, u"1-3"_s, u"----"_s, u"2-1"_s, u"2-2"_s, u"2-3"_s, u"----"_s, u"3-1"_s};
    QTest::newRow("1 row a slide") << true << 1 << 0
                                   << QStringList{u"1-1"_s, u"----"_s, u"2-1"_s, u"----"_s};
    QTest::newRow("0 rows count as 1") << true << 0 << 0 << QStringList{u"1-1"_s, u"----"_s, u"2-1"_s};
    QTest::newRow("-2 rows count as 1") << true << -2 << 0 << QStringList{u"1-1"_s, u"----"_s, u"2-1"_s};
    QTest::newRow("10 rows, second slide") << true << 10 << 9
                                           << QStringList{u"1-10"_s, u"----"_s, u"2-1"_s};
    QTest::newRow("rows beyond any roll") << true << INT_MAX << INT_MAX - 1
                                          << QStringList{u"1-%1"_s.arg(INT_MAX)};
}

void TestGutterLabels::labels()
{
    QFETCH(bool, slide);
    QFETCH(int, rows);
    QFETCH(int, first);
    QFETCH(QStringList, expected);
    QStringList got;
    for (int i = 0; i < expected.size(); ++i)
        got << gutterLabel(first + i, slide, rows);
    QCOMPARE(got, expected);
}

void TestGutterLabels::rowsAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("rows");
    QTest::newRow("3") << u"3"_s << 3;
    QTest::newRow("spaces around") << u" 12 "_s << 12;
    QTest::newRow("0 kept") << u"0"_s << 0;
    QTest::newRow("-2 kept") << u"-2"_s << -2;
    QTest::newRow("not a number") << u"abc"_s << 10;
    QTest::newRow("empty") << QString() << 10;
    QTest::newRow("fraction") << u"2.5"_s << 10;
    QTest::newRow("too large for an int") << u"99999999999"_s << 10;
}

void TestGutterLabels::rowsAnswer()
{
    QFETCH(QString, answer);
    QFETCH(int, rows);
    QCOMPARE(rowsPerSlideFromAnswer(answer), rows);
}

QTEST_APPLESS_MAIN(TestGutterLabels)
#include "tst_gutterlabels.moc"
