// The roll's session without widgets: one command, one undo step, however
// its changes and transactions nest; one recolouring at the end.
#include "session/RollSession.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

#include <functional>

using namespace Qt::StringLiterals;

using Work = std::function<void(RollSession &)>;
Q_DECLARE_METATYPE(Work)

class TestRollSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void transactionIsOneStep_data();
    void transactionIsOneStep();
    void changeOutsideATransactionIsNotedNotRecorded();
    void undoAndRedoHandBackTheStep();
    void wholeTextKeepsTheHistoryInStep();
    void startingUpRecordsNothing();
};

void TestRollSession::transactionIsOneStep_data()
{
    QTest::addColumn<Work>("work");
    QTest::addColumn<QString>("after");
    QTest::newRow("several changes") << Work([](RollSession &s) {
        s.replaceRange(0, 1, u"A"_s);
        s.replaceRange(1, 2, u"B"_s);
    }) << u"ABう\nえ"_s;
    QTest::newRow("nested three deep") << Work([](RollSession &s) {
        const RollSession::Transaction inner(s);
        s.replaceRange(0, 0, u"1"_s);
        {
            const RollSession::Transaction innermost(s);
            s.setWholeText(s.wholeText() + u"\n2"_s);
        }
        s.replaceRange(0, 0, u"0"_s);
    }) << u"01あいう\nえ\n2"_s;
    QTest::newRow("inner one returns early") << Work([](RollSession &s) {
        s.replaceRange(0, 1, u"X"_s);
        [&s] {
            const RollSession::Transaction inner(s);
            s.replaceRange(1, 2, u"Y"_s);
            if (s.length() > 0)
                return; // as a command that stops half-way
            s.replaceRange(0, 0, u"never"_s);
        }();
        s.replaceRange(2, 3, u"Z"_s);
    }) << u"XYZ\nえ"_s;
    QTest::newRow("inner one throws") << Work([](RollSession &s) {
        try {
            const RollSession::Transaction inner(s);
            s.replaceRange(0, 1, u"X"_s);
            throw std::runtime_error("failed");
        } catch (const std::runtime_error &) {
        }
    }) << u"Xいう\nえ"_s;
}

void TestRollSession::transactionIsOneStep()
{
    QFETCH(Work, work);
    QFETCH(QString, after);
    RollSession session;
    session.setWholeText(u"あいう\nえ"_s);
    QVERIFY(session.record());
    const int steps = session.history().ring().undoSteps();
    QSignalSpy changed(&session, &RollSession::changed);
    QSignalSpy ended(&session, &RollSession::transactionEnded);
    {
        const RollSession::Transaction step(session);
        work(session);
        QCOMPARE(session.transactionDepth(), 1);
        QVERIFY(session.recordingHeld());
    }
    QCOMPARE(session.transactionDepth(), 0);
    QCOMPARE(session.wholeText(), after);
    QCOMPARE(session.document()->toPlainText(), after);
    QCOMPARE(session.history().ring().undoSteps(), steps + 1);
    QCOMPARE(changed.count(), 0); // no caret-line work per change inside
    QCOMPARE(ended.count(), 1);   // one recolouring
    QVERIFY(session.undo());
    QCOMPARE(session.wholeText(), u"あいう\nえ"_s);
}

void TestRollSession::changeOutsideATransactionIsNotedNotRecorded()
{
    RollSession session;
    QSignalSpy changed(&session, &RollSession::changed);
    QSignalSpy lines(&session, &RollSession::linesChanged);
    session.setWholeText(u"一\n二\n三"_s);
    session.record();
    session.replaceRange(2, 3, u"2\n2"_s);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(lines.last(), (QVariantList{1, 1, 2}));
    QCOMPARE(session.lines(), (QStringList{u"一"_s, u"2"_s, u"2"_s, u"三"_s}));
    // Only the view's record() makes it a step.
    QVERIFY(session.record());
    QVERIFY(!session.record()); // the same state again is no step
}

void TestRollSession::undoAndRedoHandBackTheStep()
{
    RollSession session;
    session.setViewLine([] { return 7; });
    session.setWholeText(u"前"_s);
    session.record();
    session.replaceRange(0, 1, u"後"_s);
    session.record();
    QSignalSpy changed(&session, &RollSession::changed);
    const auto undone = session.undo();
    QVERIFY(undone);
    QCOMPARE(undone->edit.inserted, u"前"_s);
    QCOMPARE(session.wholeText(), u"前"_s);
    const auto redone = session.redo();
    QVERIFY(redone);
    QCOMPARE(session.wholeText(), u"後"_s);
    QVERIFY(!session.redo());
    QCOMPARE(changed.count(), 0); // putting a step back is no new change
}

// A whole text is taken without copying the document back, and a replaced
// range that equals the text there changes nothing.
void TestRollSession::wholeTextKeepsTheHistoryInStep()
{
    RollSession session;
    const QString text = u"一行目\n\n三行目\n"_s;
    session.setWholeText(text);
    QCOMPARE(session.wholeText(), text);
    QCOMPARE(session.length(), text.size());
    QCOMPARE(session.textRange(4, 5), u"\n"_s);
    QSignalSpy lines(&session, &RollSession::linesChanged);
    session.replaceRange(0, 3, u"一行目"_s);
    QCOMPARE(lines.count(), 0);
}

void TestRollSession::startingUpRecordsNothing()
{
    RollSession session;
    session.setStartingUp(true);
    session.setWholeText(u"読み込んだロール"_s);
    QVERIFY(!session.record());
    {
        const RollSession::Transaction step(session);
        session.replaceRange(0, 0, u"x"_s);
    }
    QCOMPARE(session.history().ring().undoSteps(), 0);
    session.setStartingUp(false);
    QVERIFY(session.record());
}

QTEST_MAIN(TestRollSession)
#include "tst_rollsession.moc"
