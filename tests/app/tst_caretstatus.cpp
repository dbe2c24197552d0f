// What the status bar says of the caret, without widgets.
#include "app/CaretStatus.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCaretStatus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void status_data();
    void status();
    void totalCountsBreaksTwice();
};

void TestCaretStatus::status_data()
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

void TestCaretStatus::status()
{
    QFETCH(int, line);
    QFETCH(QString, before);
    QFETCH(qint64, total);
    QFETCH(QString, expected);
    QCOMPARE(caretStatusText(line, before, total), expected);
}

void TestCaretStatus::totalCountsBreaksTwice()
{
    // characterCount() counts the text, one unit per break and the closing mark.
    QCOMPARE(rollTotalUnits(1, 1), 0);       // empty roll
    QCOMPARE(rollTotalUnits(4, 2), 4);       // あ, break, い
    QCOMPARE(rollTotalUnits(3, 3), 4);       // two empty lines: two breaks
}

QTEST_APPLESS_MAIN(TestCaretStatus)
#include "tst_caretstatus.moc"
