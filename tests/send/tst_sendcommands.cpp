// The main window's side of line sending, against a recording back end: the
// capture messages, F1 and Enter in the roll editor, comment skipping, the
// caret and the view.
#include "FakeWindowSender.h"

#include "app/AppWindows.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/ScriptedPrompter.h"
#include "send/TRollInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QAction>
#include <QTest>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace {
const QString kCaption = u"ウィンドウハンドルの取得"_s;
const QString kArmed = u"入力したい枠にカーソルをあわせ、F2キーを押してください。"_s;
const QString kDone = u"取得を完了しました。\r\nF1キーで文字を送信します。"_s;
constexpr WId kTarget = 4194311;
} // namespace

class TestSendCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captureStoresWindowUnderPointer();
    void captureRefusedSilently_data();
    void captureRefusedSilently();
    void f1SendsCaretLineByMethod_data();
    void f1SendsCaretLineByMethod();
    void walkSkipsCommentsAndReachesTheEnd();
    void undeliveredLineKeepsTheCaretAndSaysWhy_data();
    void undeliveredLineKeepsTheCaretAndSaysWhy();
    void keysPressedDuringASendStayInTheEditor_data();
    void keysPressedDuringASendStayInTheEditor();
    void settleTimeReachesTheBackEnd();
    void enterSendsOnlyWithSendByEnter();
    void f1ScrollsTheViewByOneLine();
    void inputAssistMenusShowTheWindow_data();
    void inputAssistMenusShowTheWindow();
    void functionKeysPutTheirText_data();
    void functionKeysPutTheirText();

private:
    void setRoll(const QString &text, int caret = 0);
    void capture(WId window);
    int caret() const { return m_form->RichEdit1->textCursor().position(); }
    QList<QByteArray> sentLines() const
    {
        QList<QByteArray> lines;
        for (const auto &d : std::as_const(m_sender->deliveries))
            lines << d.cp932;
        return lines;
    }

    ScriptedPrompter m_prompter;
    TForm1 *m_form = nullptr;
    FakeWindowSender *m_sender = nullptr;
};

void TestSendCommands::initTestCase()
{
    Prompter::install(&m_prompter);
}

void TestSendCommands::init()
{
    m_prompter.clear();
    m_form = new TForm1;
    RollInput = new TRollInput(m_form->rollAccess());
    auto sender = std::make_unique<FakeWindowSender>();
    m_sender = sender.get();
    m_sender->windows = {kTarget};
    m_form->setWindowSender(std::move(sender));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_form->RichEdit1->setFocus();
}

void TestSendCommands::cleanup()
{
    delete RollInput;
    RollInput = nullptr;
    delete m_form;
    m_form = nullptr;
}

void TestSendCommands::setRoll(const QString &text, int caret)
{
    m_form->RichEdit1->setPlainText(text);
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(caret);
    m_form->RichEdit1->setTextCursor(cursor);
}

void TestSendCommands::capture(WId window)
{
    m_form->Button1->click();
    m_sender->pressF2(window);
    QTRY_COMPARE(m_form->SendHandle->text(), QString::number(window));
    m_prompter.clear();
}

void TestSendCommands::captureStoresWindowUnderPointer()
{
    QCOMPARE(m_form->SendHandle->text(), u"0x0000000"_s);
    QVERIFY(!m_form->SendHandle->isEnabled());
    m_form->Button1->click();
    QVERIFY(m_sender->armed);
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked()[0].text, kArmed);
    QCOMPARE(m_prompter.asked()[0].caption, kCaption);
    QCOMPARE(m_prompter.asked()[0].icon, MsgIcon::None);
    QCOMPARE(m_prompter.asked()[0].buttons, MsgButtons::Ok);

    m_sender->pressF2(kTarget);
    QTRY_COMPARE(m_form->SendHandle->text(), u"4194311"_s);
    QCOMPARE(m_prompter.asked().size(), 2);
    QCOMPARE(m_prompter.asked()[1].text, kDone);
    QCOMPARE(m_prompter.asked()[1].caption, kCaption);
    QVERIFY(!m_sender->armed); // one use only

    // A hot key other than ours is not a capture.
    m_form->WMHotKey(1, 77);
    QCOMPARE(m_form->SendHandle->text(), u"4194311"_s);
    QCOMPARE(m_prompter.asked().size(), 2);
}

void TestSendCommands::captureRefusedSilently_data()
{
    QTest::addColumn<bool>("hotKeyFree");
    QTest::newRow("F2 held by another program") << false;
    QTest::newRow("capture already armed") << true;
}

void TestSendCommands::captureRefusedSilently()
{
    QFETCH(bool, hotKeyFree);
    m_sender->hotKeyFree = hotKeyFree;
    if (hotKeyFree) {
        m_form->Button1->click();
        m_prompter.clear();
    }
    m_form->Button1->click();
    QVERIFY(m_prompter.asked().isEmpty());
    QCOMPARE(m_sender->armed, hotKeyFree); // the first arming stands
}

void TestSendCommands::f1SendsCaretLineByMethod_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("IPtalk method, Japanese as Shift-JIS")
        << 0 << u"田中／本日は"_s << QByteArray("\x93\x63\x92\x86\x81\x5e\x96\x7b\x93\xfa\x82\xcd");
    QTest::newRow("Word method, ASCII") << 1 << u"abc `r1"_s << QByteArray("abc `r1");
    QTest::newRow("outside Shift-JIS becomes ?") << 0 << u"a😀б"_s << QByteArray("a?\x84\x71");
    QTest::newRow("empty line is sent as empty") << 1 << QString() << QByteArray();
}

void TestSendCommands::f1SendsCaretLineByMethod()
{
    QFETCH(int, method);
    QFETCH(QString, line);
    QFETCH(QByteArray, expected);
    capture(kTarget);
    m_form->SendMethod->setCurrentIndex(method);
    setRoll(line + u"\nnext"_s, 0);
    QTest::keyClick(m_form->RichEdit1, Qt::Key_F1);
    const FakeWindowSender::Delivery sent{method == 0 ? u"replace"_s : u"type"_s, kTarget, expected};
    QCOMPARE(m_sender->deliveries, QList<FakeWindowSender::Delivery>{sent});
    QCOMPARE(caret(), line.size() + 1);
    QCOMPARE(m_form->RichEdit1->toPlainText(), line + u"\nnext"_s); // F1 changes nothing
}

void TestSendCommands::walkSkipsCommentsAndReachesTheEnd()
{
    capture(kTarget);
    m_form->Cmt2->setChecked(true);
    setRoll(u"一行目\n<-メモ\n<-◆見出し\n二行目\n最後"_s, 0);
    QList<int> carets;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(m_form->RichEdit1, Qt::Key_F1);
        carets << caret();
    }
    QList<QByteArray> sent;
    for (const auto &d : std::as_const(m_sender->deliveries))
        sent << d.cp932;
    // The last line goes once per press while the caret stays at the end.
    const QByteArray last("\x8d\xc5\x8c\xe3");
    QCOMPARE(sent, (QList<QByteArray>{"\x88\xea\x8d\x73\x96\xda", "\x93\xf1\x8d\x73\x96\xda",
                                      last, last}));
    QCOMPARE(carets, (QList<int>{4, 9, 16, 20, 22, 22}));
}

void TestSendCommands::undeliveredLineKeepsTheCaretAndSaysWhy_data()
{
    QTest::addColumn<bool>("captured");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("status");
    const QString notSent = u"★2行目は送信されませんでした："_s;
    const int none = int(SendFailure::None);
    QTest::newRow("nothing captured yet")
        << false << true << none << notSent + u"送信先のウィンドウが特定されていません"_s;
    QTest::newRow("captured window has closed")
        << true << false << none
        << notSent + u"送信先のウィンドウが閉じたか、最小化されているか、このエディタのウィンドウです"_s;
    QTest::newRow("window gone during the send")
        << true << true << int(SendFailure::TargetGone)
        << notSent + u"送信先のウィンドウが閉じたか、最小化されているか、このエディタのウィンドウです"_s;
    QTest::newRow("window took no focus")
        << true << true << int(SendFailure::NoFocus)
        << notSent + u"送信先のウィンドウが入力を受け取りませんでした（フォーカスを得られません）"_s;
    QTest::newRow("window did not take the line in time")
        << true << true << int(SendFailure::NoAnswer)
        << notSent + u"送信先のウィンドウが待ち時間内に行を受け取りませんでした"_s;
    QTest::newRow("bridge to Wine failed")
        << true << true << int(SendFailure::BridgeFailed)
        << notSent + u"Wine上のプログラムへの中継に失敗しました"_s;
}

// The operator hears no box (F1 keeps its rhythm) but sees at once that the
// line did not go out, and the caret stays on it: the next F1 tries it again.
void TestSendCommands::undeliveredLineKeepsTheCaretAndSaysWhy()
{
    QFETCH(bool, captured);
    QFETCH(bool, exists);
    QFETCH(int, failure);
    QFETCH(QString, status);
    if (captured)
        capture(kTarget);
    if (!exists)
        m_sender->windows.clear();
    m_sender->failure = SendFailure(failure);
    setRoll(u"abc\ndef\nghi"_s, 5);
    m_form->updateCaretStatus();
    const int firstLine = m_form->RichEdit1->firstVisibleLine();
    QTest::keyClick(m_form->RichEdit1, Qt::Key_F1);
    QVERIFY(m_sender->deliveries.isEmpty());
    QCOMPARE(caret(), 5);
    QCOMPARE(m_form->RichEdit1->firstVisibleLine(), firstLine);
    QCOMPARE(m_form->statusText(), status);
    QVERIFY(m_prompter.asked().isEmpty());

    // Once the target takes lines again, the same line goes and the caret on.
    if (!captured)
        capture(kTarget);
    m_sender->windows = {kTarget};
    m_sender->failure = SendFailure::None;
    QTest::keyClick(m_form->RichEdit1, Qt::Key_F1);
    QCOMPARE(m_sender->deliveries.size(), 1);
    QCOMPARE(m_sender->deliveries[0].cp932, QByteArray("def"));
    QCOMPARE(caret(), 9);
    QVERIFY(m_form->statusText().startsWith(u"3行"_s));
}

void TestSendCommands::keysPressedDuringASendStayInTheEditor_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("sendByEnter");
    QTest::addColumn<QList<QByteArray>>("sent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caretLine");
    const QString roll = u"一\n二\n三\n四"_s;
    const QByteArray one("\x88\xea"), two("\x93\xf1"), three("\x8e\x4f");
    QTest::newRow("two F1 send the next two lines in turn")
        << QList<int>{Qt::Key_F1, Qt::Key_F1} << false << QList<QByteArray>{one, two, three} << roll << 3;
    QTest::newRow("Enter sends when the input assist says so")
        << QList<int>{Qt::Key_Return, Qt::Key_Enter} << true << QList<QByteArray>{one, two, three} << roll
        << 3;
    QTest::newRow("Enter otherwise breaks the line in the editor")
        << QList<int>{Qt::Key_Return} << false << QList<QByteArray>{one} << u"一\n\n二\n三\n四"_s << 2;
}

// While the target holds the focus the back end keeps these keys from it and
// hands them over: they act in the editor after the line on its way.
void TestSendCommands::keysPressedDuringASendStayInTheEditor()
{
    QFETCH(QList<int>, keys);
    QFETCH(bool, sendByEnter);
    QFETCH(QList<QByteArray>, sent);
    QFETCH(QString, text);
    QFETCH(int, caretLine);
    capture(kTarget);
    RollInput->SendByEnter->setChecked(sendByEnter);
    setRoll(u"一\n二\n三\n四"_s, 0);
    m_sender->keysDuringNextSend = keys;
    QTest::keyClick(m_form->RichEdit1, Qt::Key_F1);
    QTRY_COMPARE(m_form->RichEdit1->textCursor().blockNumber(), caretLine);
    QCOMPARE(sentLines(), sent);
    QCOMPARE(m_form->RichEdit1->toPlainText(), text);
    QCOMPARE(m_form->RichEdit1->textCursor().blockNumber(), caretLine);
}

void TestSendCommands::settleTimeReachesTheBackEnd()
{
    QCOMPARE(m_sender->settleMs, WindowSender::kDefaultSettleMs);
    m_form->setSendSettleTime(250);
    QCOMPARE(m_sender->settleMs, 250);
    QCOMPARE(m_form->sendSettleTime(), 250);
}

void TestSendCommands::enterSendsOnlyWithSendByEnter()
{
    capture(kTarget);
    setRoll(u"abc\ndef"_s, 1);
    QTest::keyClick(m_form->RichEdit1, Qt::Key_Return);
    QVERIFY(m_sender->deliveries.isEmpty());
    QCOMPARE(m_form->RichEdit1->toPlainText(), u"a\nbc\ndef"_s);

    RollInput->SendByEnter->setChecked(true);
    setRoll(u"abc\ndef"_s, 1);
    QTest::keyClick(m_form->RichEdit1, Qt::Key_Return);
    QTest::keyClick(m_form->RichEdit1, Qt::Key_Enter); // the keypad's Enter too
    QCOMPARE(m_sender->deliveries.size(), 2);
    QCOMPARE(m_sender->deliveries[0].cp932, QByteArray("abc"));
    QCOMPARE(m_sender->deliveries[1].cp932, QByteArray("def"));
    QCOMPARE(m_form->RichEdit1->toPlainText(), u"abc\ndef"_s); // no line was broken
    QTest::keyClick(m_form->RichEdit1, Qt::Key_A); // other keys still edit
    QCOMPARE(m_form->RichEdit1->toPlainText(), u"abc\ndefa"_s);
}

void TestSendCommands::inputAssistMenusShowTheWindow_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("Tool menu") << u"Input2"_s;
    QTest::newRow("Window menu") << u"InputAssist1"_s;
}

void TestSendCommands::inputAssistMenusShowTheWindow()
{
    QFETCH(QString, item);
    QVERIFY(!RollInput->isVisible());
    m_form->findChild<QAction *>(item)->trigger();
    QVERIFY(RollInput->isVisible());
}

void TestSendCommands::functionKeysPutTheirText_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caretAfter");
    QTest::newRow("F5 inserts at the caret") << int(Qt::Key_F5) << u"（拍手）"_s << 2 << 0
                                             << u"ab（拍手）c\ndef"_s << 6;
    QTest::newRow("F10 replaces the selection") << int(Qt::Key_F10) << u"笑"_s << 4 << 3 << u"abc\n笑"_s << 5;
    QTest::newRow("F7 empty deletes the selection") << int(Qt::Key_F7) << QString() << 1 << 2 << u"a\ndef"_s << 1;
    QTest::newRow("F7 empty, no selection: nothing") << int(Qt::Key_F7) << QString() << 1 << 0 << u"abc\ndef"_s
                                                     << 1;
    QTest::newRow("F3 is no phrase key") << int(Qt::Key_F3) << u"x"_s << 1 << 0 << u"abc\ndef"_s << 1;
}

void TestSendCommands::functionKeysPutTheirText()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, after);
    QFETCH(int, caretAfter);
    for (int k = Qt::Key_F4; k <= Qt::Key_F10; ++k)
        RollInput->setFunctionKeyText(u"F%1"_s.arg(k - Qt::Key_F1 + 1), u"?"_s);
    const int row = key - Qt::Key_F4;
    if (row >= 0 && row <= 6)
        RollInput->setFunctionKeyText(u"F%1"_s.arg(row + 4), text);
    setRoll(u"abc\ndef"_s, selectionStart);
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(selectionStart + selectionLength, QTextCursor::KeepAnchor);
    m_form->RichEdit1->setTextCursor(cursor);
    QTest::keyClick(m_form->RichEdit1, Qt::Key(key));
    QCOMPARE(m_form->RichEdit1->toPlainText(), after);
    QCOMPARE(caret(), caretAfter);
    QVERIFY(m_sender->deliveries.isEmpty());
    if (after != u"abc\ndef"_s) { // an ordinary edit: Undo takes it back
        m_form->Undo1Click();
        QCOMPARE(m_form->RichEdit1->toPlainText(), u"abc\ndef"_s);
    }
}

void TestSendCommands::f1ScrollsTheViewByOneLine()
{
    capture(kTarget);
    QString roll;
    for (int i = 1; i <= 200; ++i)
        roll += u"行 %1\n"_s.arg(i);
    setRoll(roll, 0);
    RollEditor *editor = m_form->RichEdit1;
    QCOMPARE(editor->firstVisibleLine(), 0);
    QTest::keyClick(editor, Qt::Key_F1);
    QCOMPARE(editor->firstVisibleLine(), 1);
    QCOMPARE(editor->textCursor().blockNumber(), 1);
    QTest::keyClick(editor, Qt::Key_F1);
    QCOMPARE(editor->firstVisibleLine(), 2);
    QCOMPARE(editor->textCursor().blockNumber(), 2);
}

QTEST_MAIN(TestSendCommands)
#include "tst_sendcommands.moc"
