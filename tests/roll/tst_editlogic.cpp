// The editing logic without widgets: undo ring and history, comment commands,
// find and replace-all, the tag-jump list, the shadow text.
#include "roll/CommentCommands.h"
#include "history/EditHistory.h"
#include "roll/FlagHold.h"
#include "roll/TagList.h"
#include "roll/TextSearch.h"
#include "history/TextShadow.h"
#include "history/UndoRing.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Drives an EditHistory the way the editor does: change, then record.
struct Editor {
    EditHistory history;
    QString text;

    void change(qsizetype pos, qsizetype removed, const QString &inserted, bool recordIt = true)
    {
        text.replace(pos, removed, inserted);
        history.noteChange(pos, removed, inserted);
        if (recordIt)
            history.record(0);
    }
    void type(const QString &s) { change(text.size(), 0, s); }
    // Applies undo or redo; false when there was nothing to do.
    bool step(bool undo)
    {
        const auto s = undo ? history.undo(0) : history.redo(0);
        if (!s)
            return false;
        change(s->edit.pos, s->edit.removed.size(), s->edit.inserted, false);
        history.endRestore();
        return true;
    }
};

} // namespace

class TestEditLogic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shadowFollowsRandomEdits();
    void undoRedoWalk();
    void unrecordedChangesBecomeOneStep();
    void duplicateRecordingsAreSkipped();
    void recordingWithoutChangeTakesTheView();
    void caretAfterRestore_data();
    void caretAfterRestore();
    void ringWrapsAt5000();
    void clearEmptiesEveryState();
    void comments_data();
    void comments();
    void selectedLines_data();
    void selectedLines();
    void replaceAll_data();
    void replaceAll();
    void findForward();
    void tagsScanAndShift();
    void flagHoldsPutBackWhatTheyFound();
};

void TestEditLogic::shadowFollowsRandomEdits()
{
    TextShadow shadow;
    QString reference = u"あいう\nえお"_s;
    shadow.assign(reference);
    QRandomGenerator rng(7);
    for (int i = 0; i < 2000; ++i) {
        const qsizetype pos = rng.bounded(int(reference.size() + 1));
        const qsizetype removed = rng.bounded(int(std::min<qsizetype>(4, reference.size() - pos) + 1));
        const QString inserted = QString(rng.bounded(4), QChar(u'a' + rng.bounded(26)));
        QCOMPARE(shadow.replace(pos, removed, inserted), reference.mid(pos, removed));
        reference.replace(pos, removed, inserted);
        if (i % 97 == 0) {
            QCOMPARE(shadow.view(), QStringView(reference));
            QCOMPARE(shadow.mid(pos, 5), reference.mid(pos, 5));
        }
    }
    QCOMPARE(shadow.text(), reference);
}

void TestEditLogic::undoRedoWalk()
{
    Editor e;
    e.type(u"a"_s);
    e.type(u"b"_s);
    e.type(u"c"_s);
    QVERIFY(e.step(true));
    QCOMPARE(e.text, u"ab"_s);
    QVERIFY(e.step(true));
    QCOMPARE(e.text, u"a"_s);
    QVERIFY(e.step(true));
    QCOMPARE(e.text, QString());
    QVERIFY(!e.step(true)); // the oldest state: nothing happens
    QCOMPARE(e.history.ring().current(), 0);
    for (const QString &expected : {u"a"_s, u"ab"_s, u"abc"_s}) {
        QVERIFY(e.step(false));
        QCOMPARE(e.text, expected);
    }
    QVERIFY(!e.step(false));
    // A new change after an undo cuts redo off.
    QVERIFY(e.step(true));
    e.type(u"x"_s);
    QCOMPARE(e.text, u"abx"_s);
    QVERIFY(!e.step(false));
    QVERIFY(e.step(true));
    QCOMPARE(e.text, u"ab"_s);
    // The caret goes where the change was.
    Editor f;
    f.type(u"0123456789"_s);
    f.change(4, 2, u"X"_s);
    const auto s = f.history.undo(0);
    QVERIFY(s);
    QCOMPARE(s->edit.pos, 4);
    QCOMPARE(s->caret, 6);
}

void TestEditLogic::unrecordedChangesBecomeOneStep()
{
    Editor e;
    e.type(u"line one\nline two\n"_s);
    // A bulk command: many changes, then one recording.
    e.change(0, 4, u"LINE"_s, false);
    e.change(9, 4, u"LINE"_s, false);
    e.change(e.text.size(), 0, u"end"_s, false);
    e.history.record(0);
    QVERIFY(e.step(true));
    QCOMPARE(e.text, u"line one\nline two\n"_s);
    QVERIFY(e.step(false));
    QCOMPARE(e.text, u"LINE one\nLINE two\nend"_s);
    // Changes not yet recorded when undo comes are recorded first: redo brings them back.
    e.change(0, 0, u"#"_s, false);
    QVERIFY(e.step(true));
    QCOMPARE(e.text, u"LINE one\nLINE two\nend"_s);
    QVERIFY(e.step(false));
    QCOMPARE(e.text, u"#LINE one\nLINE two\nend"_s);
}

void TestEditLogic::duplicateRecordingsAreSkipped()
{
    Editor e;
    e.type(u"a"_s);
    QVERIFY(!e.history.record(0)); // a direct recording with nothing changed
    e.change(0, 1, u"a"_s);         // a formatting-only change
    QCOMPARE(e.history.ring().current(), 1);
    QVERIFY(e.step(true));
    QCOMPARE(e.text, QString());
}

void TestEditLogic::recordingWithoutChangeTakesTheView()
{
    // A bulk command records before it works; undoing it must show the view
    // of that moment, not the one of the text's own recording long before.
    EditHistory history;
    history.noteChange(0, 0, u"roll"_s);
    QVERIFY(history.record(0));
    QVERIFY(!history.record(100));
    history.noteChange(0, 4, u"new roll"_s);
    QVERIFY(history.record(7));
    const auto step = history.undo(7);
    QVERIFY(step);
    QCOMPARE(step->firstVisibleLine, 100);
}

void TestEditLogic::caretAfterRestore_data()
{
    QTest::addColumn<int>("changeStart");
    QTest::addColumn<int>("changeEnd");
    QTest::addColumn<int>("caret"); // the view shows positions 1000 to 2000
    QTest::newRow("change in view: its end") << 1500 << 1510 << 1510;
    QTest::newRow("deletion in view") << 1500 << 1500 << 1500;
    QTest::newRow("end below the view: its start") << 1500 << 9000 << 1500;
    QTest::newRow("start above the view: its end") << 10 << 1500 << 1500;
    QTest::newRow("across the whole view: the view's start") << 10 << 9000 << 1000;
    QTest::newRow("above the view: the view goes to it") << 10 << 20 << 20;
    QTest::newRow("below the view: the view goes to it") << 5000 << 5010 << 5010;
}

void TestEditLogic::caretAfterRestore()
{
    QFETCH(int, changeStart);
    QFETCH(int, changeEnd);
    QFETCH(int, caret);
    QCOMPARE(::caretAfterRestore(changeStart, changeEnd, 1000, 2000), qsizetype(caret));
}

void TestEditLogic::ringWrapsAt5000()
{
    Editor e;
    const int total = UndoRing::kSlots + 10;
    for (int n = 1; n <= total; ++n)
        e.type(u"x"_s);
    const UndoRing &ring = e.history.ring();
    QCOMPARE(ring.current(), total % UndoRing::kSlots);
    QCOMPARE(ring.top(), ring.current());
    QVERIFY(ring.wrapped());
    QCOMPARE(ring.undoSteps(), UndoRing::kSlots - 1);
    // Undo walks back through the ring once, past slot 0, and stops at the
    // oldest state still held: 4999 steps, down to 11 characters.
    int undone = 0;
    while (e.step(true))
        ++undone;
    QCOMPARE(undone, UndoRing::kSlots - 1);
    QCOMPARE(e.text.size(), total - (UndoRing::kSlots - 1));
    QCOMPARE(ring.current(), (total + 1) % UndoRing::kSlots);
    QVERIFY(!ring.wrapped());
    int redone = 0;
    while (e.step(false))
        ++redone;
    QCOMPARE(redone, UndoRing::kSlots - 1);
    QCOMPARE(e.text.size(), total);
    QCOMPARE(ring.current(), total % UndoRing::kSlots);
    QVERIFY(ring.wrapped());
}

void TestEditLogic::clearEmptiesEveryState()
{
    Editor e;
    e.type(u"abc"_s);
    e.type(u"d"_s);
    e.history.clear();
    QCOMPARE(e.history.ring().current(), 0);
    e.change(0, e.text.size(), QString()); // New empties the roll
    QVERIFY(!e.step(true));
    QVERIFY(!e.step(false));
    // A text shown after clearing is measured against an empty roll.
    e.change(0, 0, u"new"_s, false);
    e.history.clear();
    QVERIFY(e.step(true));
    QCOMPARE(e.text, QString());
    QVERIFY(e.step(false));
    QCOMPARE(e.text, u"new"_s);
}

void TestEditLogic::comments_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("marker"); // empty: uncomment
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("tag on two lines") << QStringList{u"abc"_s, u"<-◆x"_s} << u"<-◆"_s
                                      << QStringList{u"<-◆abc"_s, u"<-◆x"_s};
    QTest::newRow("simple leaves a summary comment") << QStringList{u"<-●y"_s} << u"<-"_s
                                                     << QStringList{u"<-●y"_s};
    // Every line stays one line: a blank one is marked, none is added.
    QTest::newRow("blank line marked, not added") << QStringList{u"a"_s, QString(), u"b"_s} << u"<-"_s
                                                  << QStringList{u"<-a"_s, u"<-"_s, u"<-b"_s};
    QTest::newRow("no lines") << QStringList() << u"<-"_s << QStringList();
    QTest::newRow("uncomment change") << QStringList{u"<-■交代"_s} << QString() << QStringList{u"交代"_s};
    QTest::newRow("uncomment tag then summary") << QStringList{u"<-◆<-●x"_s} << QString() << QStringList{u"x"_s};
    QTest::newRow("uncomment removes one simple marker") << QStringList{u"<-<-z"_s} << QString()
                                                         << QStringList{u"<-z"_s};
    QTest::newRow("uncomment leading blank") << QStringList{u" <-z"_s} << QString() << QStringList{u" <-z"_s};
    QTest::newRow("uncomment: order of the removals") << QStringList{u"<-●<-◆w"_s} << QString()
                                                      << QStringList{u"◆w"_s};
}

void TestEditLogic::comments()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, marker);
    QFETCH(QStringList, expected);
    QCOMPARE(marker.isEmpty() ? UncommentLines(lines) : CommentLines(lines, marker), expected);
}

void TestEditLogic::selectedLines_data()
{
    QTest::addColumn<int>("startLine");
    QTest::addColumn<int>("endLine");
    QTest::addColumn<int>("endColumn");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("part of one line") << 3 << 3 << 5 << 3 << 3;
    QTest::newRow("from inside one line into the next") << 3 << 4 << 1 << 3 << 4;
    QTest::newRow("whole lines with their final break") << 3 << 5 << 0 << 3 << 4;
    QTest::newRow("one whole line with its break") << 3 << 4 << 0 << 3 << 3;
    QTest::newRow("begins at the start of the line it ends on") << 4 << 4 << 0 << 4 << 4;
}

void TestEditLogic::selectedLines()
{
    QFETCH(int, startLine);
    QFETCH(int, endLine);
    QFETCH(int, endColumn);
    QFETCH(int, first);
    QFETCH(int, last);
    QCOMPARE(SelectedLines(startLine, endLine, endColumn), (LineSpan{first, last}));
}

void TestEditLogic::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("count");
    QTest::newRow("replacement contains the text") << u"あいあ"_s << u"あ"_s << u"ああ"_s << u"ああいああ"_s << 2;
    QTest::newRow("empty replacement deletes") << u"a-b-c"_s << u"-"_s << QString() << u"abc"_s << 2;
    QTest::newRow("absent text") << u"abc"_s << u"x"_s << u"y"_s << u"abc"_s << 0;
    QTest::newRow("empty search text") << u"abc"_s << QString() << u"y"_s << u"abc"_s << 0;
    QTest::newRow("case-sensitive, across lines") << u"Ab\nab"_s << u"ab"_s << u"X"_s << u"Ab\nX"_s << 1;
}

void TestEditLogic::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QFETCH(int, count);
    qsizetype replaced = -1;
    QCOMPARE(ReplaceAll(text, find, replacement, &replaced), expected);
    QCOMPARE(replaced, count);
}

void TestEditLogic::findForward()
{
    const QString roll = u"abc\nxabc\nabc"_s;
    QCOMPARE(FindForward(roll, u"abc", FindStart(false, 7, u"abc")), 0); // no selection: from the top
    QCOMPARE(FindForward(roll, u"abc", FindStart(true, 0, u"abc")), 5);  // past the current match
    QCOMPARE(FindForward(roll, u"abc", FindStart(true, 9, u"abc")), -1);
    QCOMPARE(FindForward(roll, u"", 0), -1);
    QCOMPARE(FindForward(QString(), u"a", 0), -1);
    QCOMPARE(FindForward(roll, u"ABC", 0), -1);
}

void TestEditLogic::tagsScanAndShift()
{
    CommentKinds all{true, true, true, true};
    const QString roll = u"<-a\ntext\n<-◆第二部\n\n<-●s\n<-■c"_s;
    TagListModel model;
    model.reset(ScanTags(roll, all));
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.data(model.index(row)).toString();
    QCOMPARE(shown, (QStringList{u"00001 ：　a"_s, u"00003 ：　◆第二部"_s, u"00005 ：　●s"_s,
                                 u"00006 ：　■c"_s}));
    QCOMPARE(ScanTags(roll, CommentKinds{false, true, false, false}).size(), size_t(1));

    // Two lines inserted after line 1: entries below move by two.
    model.replaceLines(1, 1, 3);
    QCOMPARE(model.lineAt(0), 0);
    QCOMPARE(model.lineAt(1), 4);
    QCOMPARE(model.data(model.index(1)).toString(), u"00005 ：　◆第二部"_s);
    // Lines 4..5 (with the tag) replaced by one plain line: its entry goes.
    model.replaceLines(4, 5, 4);
    model.updateLine(4, u"plain"_s, all);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.lineAt(1), 5);
    // A line typed into a comment is inserted in line order; its text follows edits.
    model.updateLine(2, u"<-"_s, all);
    QCOMPARE(model.data(model.index(1)).toString(), u"00003 ：　"_s);
    model.updateLine(2, u"<-new"_s, all);
    QCOMPARE(model.data(model.index(1)).toString(), u"00003 ：　new"_s);
    model.updateLine(2, u"-new"_s, all);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.lineAt(1), 5);
}

// Nested holds (a command running a silent command first) and early
// releases must leave the flag as each hold found it.
void TestEditLogic::flagHoldsPutBackWhatTheyFound()
{
    for (const bool start : {false, true}) {
        bool flag = start;
        {
            FlagHold outer(flag);
            QVERIFY(flag);
            {
                const FlagHold inner(flag, false);
                QVERIFY(!flag);
            }
            QVERIFY(flag);
            outer.release();
            QCOMPARE(flag, start);
            flag = !start; // a release is final: the end of the scope changes nothing
        }
        QCOMPARE(flag, !start);
    }
}

QTEST_APPLESS_MAIN(TestEditLogic)
#include "tst_editlogic.moc"
