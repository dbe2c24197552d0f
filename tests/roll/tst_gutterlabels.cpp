// What the gutter and the status bar say, without widgets: gutter labels in
// both modes, the rows-per-slide answer and the caret status text.
#include "app/CaretStatus.h"
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
    void status_data();
    void status();
    void totalCountsBreaksTwice();
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

void TestGutterLabels::status_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("before");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("expected");
    QTest::newRow("caret at column 0") << 1 << QString() << qint64(0)
                                       << u"1行 0文字相当 (半角0文字目) // トータル 0Bytes"_s;
    QTest::newRow("one half-width character") << 3 << u"a"_s << qint64(10)
                                              << u"3行 0文字相当 (半角1文字目) // トータル 10Bytes"_s;
    QTest::newRow("mixed widths") << 12 << u"あいうabc"_s << qint64(1234)
                                  << u"12行 4文字相当 (半角9文字目) // トータル 1234Bytes"_s;
    QTest::newRow("ambiguous characters are wide") << 1 << u"○α"_s << qint64(2)
                                                   << u"1行 2文字相当 (半角4文字目) // トータル 2Bytes"_s;
    QTest::newRow("surrogate pair is one wide character") << 1 << u"𠮷"_s << qint64(2)
                                                          << u"1行 1文字相当 (半角2文字目) // トータル 2Bytes"_s;
}

void TestGutterLabels::status()
{
    QFETCH(int, line);
    QFETCH(QString, before);
    QFETCH(qint64, total);
    QFETCH(QString, expected);
    QCOMPARE(caretStatusText(line, before, total), expected);
}

void TestGutterLabels::totalCountsBreaksTwice()
{
    // characterCount() counts the text, one unit per break and the closing mark.
    QCOMPARE(rollTotalUnits(1, 1), 0);       // empty roll
    QCOMPARE(rollTotalUnits(4, 2), 4);       // あ, break, い
    QCOMPARE(rollTotalUnits(3, 3), 4);       // two empty lines: two breaks
}

QTEST_APPLESS_MAIN(TestGutterLabels)
#include "tst_gutterlabels.moc"
