// The mark layer over the roll view: marks follow edits, and the ones an
// edit touches go.
#include "roll/RollMarks.h"

#include <QTest>

#include "support/MarkPrinting.h"

using Kind = RollMark::Kind;

class TestRollMarks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void follow_data();
    void follow();
    void removeRange_data();
    void removeRange();
    void inRange();
};

namespace {
// Marks at 2..4 (noun) and 6..9 (verb).
const QList<RollMark> kMarks{{2, 2, Kind::Noun}, {6, 3, Kind::Verb}};
} // namespace

void TestRollMarks::follow_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("added");
    QTest::addColumn<QList<RollMark>>("after");
    QTest::addColumn<bool>("changed");
    QTest::newRow("typing before all") << 0 << 0 << 1 << QList<RollMark>{{3, 2, Kind::Noun}, {7, 3, Kind::Verb}} << true;
    QTest::newRow("typing right before a mark") << 2 << 0 << 2 << QList<RollMark>{{4, 2, Kind::Noun}, {8, 3, Kind::Verb}} << true;
    QTest::newRow("typing right after a mark") << 4 << 0 << 1 << QList<RollMark>{{2, 2, Kind::Noun}, {7, 3, Kind::Verb}} << true;
    QTest::newRow("typing inside a mark") << 3 << 0 << 1 << QList<RollMark>{{7, 3, Kind::Verb}} << true;
    QTest::newRow("deleting before a mark") << 1 << 1 << 0 << QList<RollMark>{{1, 2, Kind::Noun}, {5, 3, Kind::Verb}} << true;
    QTest::newRow("deleting into a mark") << 5 << 2 << 0 << QList<RollMark>{{2, 2, Kind::Noun}} << true;
    QTest::newRow("replacing across both") << 3 << 4 << 4 << QList<RollMark>{} << true;
    QTest::newRow("typing after all") << 9 << 0 << 5 << kMarks << false;
    QTest::newRow("a whole new text") << 0 << 10 << 3 << QList<RollMark>{} << true;
}

void TestRollMarks::follow()
{
    QFETCH(int, position);
    QFETCH(int, removed);
    QFETCH(int, added);
    QFETCH(QList<RollMark>, after);
    QFETCH(bool, changed);
    RollMarkLayer layer;
    layer.set(kMarks);
    QCOMPARE(layer.follow(position, removed, added), changed);
    QCOMPARE(layer.marks(), after);
}

void TestRollMarks::removeRange_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<RollMark>>("after");
    QTest::newRow("the line of the first") << 0 << 5 << QList<RollMark>{{6, 3, Kind::Verb}};
    QTest::newRow("touching neither") << 4 << 6 << kMarks;
    QTest::newRow("an empty line") << 3 << 3 << kMarks;
    QTest::newRow("everything") << 0 << 100 << QList<RollMark>{};
}

void TestRollMarks::removeRange()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<RollMark>, after);
    RollMarkLayer layer;
    layer.set(kMarks);
    QCOMPARE(layer.removeRange(from, to), after != kMarks);
    QCOMPARE(layer.marks(), after);
}

void TestRollMarks::inRange()
{
    RollMarkLayer layer;
    layer.set(kMarks);
    QCOMPARE(layer.inRange(3, 7), kMarks);
    QCOMPARE(layer.inRange(4, 6), QList<RollMark>{});
    QCOMPARE(layer.inRange(8, 20), QList<RollMark>{kMarks.at(1)});
}

QTEST_APPLESS_MAIN(TestRollMarks)
#include "tst_rollmarks.moc"
