// Sending into a program under Wine as the captioner does it, against Wine's
// notepad: 入力ウィンドウ特定, F2 over its text box (the Windows handle of
// the box, through the bridge), then F1 down a roll in both methods. The box's
// text, read back by WM_GETTEXT, must hold every caption line intact and in
// order, and no comment line. Runs in the locale named by
// VELMAT_WINE_TEST_LANG (C.UTF-8 when unset).
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/ScriptedPrompter.h"
#include "platform/WineBridge.h"
#include "roll/RollConventions.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>

#include "support/WineNotepad.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace Qt::StringLiterals;

namespace {
// A roll as captioners write them: talker parts, the four comment kinds,
// full- and half-width forms, NEC and IBM extension characters, an empty line
// and one line far longer than any caption.
QStringList roll()
{
    QStringList lines{u"<-■ 第1部 開会"_s, u"司会／ただいまより開会いたします。"_s,
                      u"<- 会場の音声が入ります"_s, u"田中／本日は「～」について話します。"_s,
                      u"ﾊﾝｶｸ ｶﾀｶﾅ ﾃﾞｽ｡"_s, u"①②③と髙橋さん、﨑も。"_s, QString(),
                      u"<-◆ 質疑"_s, u"ABC abc 123 !\"#$%&'()"_s, u"<-● 休憩"_s};
    lines.append(QString(500, u'字').replace(100, 3, u"ｱｲｳ"_s));
    for (int i = 0; lines.size() < 50; ++i)
        lines.append(i % 7 == 3 ? u"<- メモ %1"_s.arg(i)
                                : u"鈴木／%1番目の字幕行です、よろしく。"_s.arg(i));
    return lines;
}

QString lang()
{
    return qEnvironmentVariable("VELMAT_WINE_TEST_LANG", u"C.UTF-8"_s);
}
} // namespace

class TestWineSending : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void captureGivesTheTextBoxHandle();
    void rollArrivesIntact_data();
    void rollArrivesIntact();
    void closedTargetIsNotReportedSent();

private:
    QString boxText();
    void pressF1();

    ScriptedPrompter m_prompter;
    WineNotepad m_notepad;
    TForm1 *m_form = nullptr;
    std::unique_ptr<WineBridge> m_reader; // the test's own look into the box
    WId m_box = 0;
};

void TestWineSending::initTestCase()
{
    const QString bridge = QStringLiteral(VELMAT_WINE_BRIDGE_EXE);
    if (const QString why = WineNotepad::unavailable(bridge); !why.isEmpty())
        QSKIP(qPrintable(why));
    Prompter::install(&m_prompter);
    QElapsedTimer started;
    started.start();
    QString why;
    QVERIFY2(m_notepad.start(lang(), &why), qPrintable(why));
    qInfo("Wine prefix and notepad ready in %lld ms (LANG=%s)", started.elapsed(),
          qPrintable(lang()));

    // The editor finds its bridge beside its program; the test's program is
    // elsewhere.
    qputenv("VELMAT_WINE_BRIDGE", bridge.toLocal8Bit());
    m_form = new TForm1;
    m_form->setWindowSender(createWindowSender());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_form->RichEdit1->setFocus();

    WineTarget wine;
    wine.wine = true;
    wine.loader = u"wine"_s;
    wine.prefix = WineNotepad::prefixPath();
    wine.locale = WineNotepad::localeOf(lang());
    m_reader = std::make_unique<WineBridge>(bridge);
    m_reader->useWine(wine);
    const int codePage = m_reader->ansiCodePage();
    qInfo("The bridge runs with ANSI code page %d", codePage);
    QCOMPARE(codePage, lang().startsWith(u"ja_JP"_s) ? 932 : 1252);
}

void TestWineSending::cleanupTestCase()
{
    delete m_form;
    m_form = nullptr;
    m_reader.reset();
    m_notepad.stop();
}

QString TestWineSending::boxText()
{
    QString why;
    const auto text = m_reader->readText(m_box, &why);
    if (!text)
        qWarning("Reading the box failed: %s", qPrintable(why));
    return text.value_or(u"<unreadable>"_s);
}

void TestWineSending::pressF1()
{
    QTest::keyClick(m_form->RichEdit1, Qt::Key_F1);
}

void TestWineSending::captureGivesTheTextBoxHandle()
{
    m_notepad.pointAtTextBox();
    m_form->Button1Click(); // 入力ウィンドウ特定 (Xlib names its own Button1)
    Display *display = m_notepad.display();
    const KeyCode f2 = XKeysymToKeycode(display, XK_F2);
    XTestFakeKeyEvent(display, f2, True, CurrentTime);
    XTestFakeKeyEvent(display, f2, False, CurrentTime);
    XSync(display, False);
    QTRY_VERIFY_WITH_TIMEOUT(m_form->SendHandle->text() != u"0x0000000"_s, 30000);
    m_box = m_form->SendHandle->text().toULongLong();
    // A Windows handle, not notepad's X window: the box has no X window.
    QVERIFY(m_box != 0);
    QVERIFY(m_box != WId(m_notepad.window()));
    const QStringList told = [this] {
        QStringList texts;
        for (const auto &asked : m_prompter.asked())
            texts.append(asked.text);
        return texts;
    }();
    QCOMPARE(told, (QStringList{u"入力したい枠にカーソルをあわせ、F2キーを押してください。"_s,
                                u"取得を完了しました。\r\nF1キーで文字を送信します。"_s}));
    // The handle names the text box: what it holds can be read.
    QCOMPARE(boxText(), QString());
}

void TestWineSending::rollArrivesIntact_data()
{
    QTest::addColumn<int>("method");
    QTest::newRow("IPtalk/まぁちゃん向け: text replaced, Enter") << 0;
    QTest::newRow("Word/メモ帳向け: typed, Enter") << 1;
}

void TestWineSending::rollArrivesIntact()
{
    QFETCH(int, method);
    if (m_box == 0)
        QSKIP("No capture");
    QVERIFY(m_reader->send(m_box, WineSendMethod::ReplaceText, "").delivered());
    QCOMPARE(boxText(), QString());

    const QStringList lines = roll();
    m_form->SendMethod->setCurrentIndex(method);
    m_form->RichEdit1->setPlainText(lines.join(u'\n'));
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(0);
    m_form->RichEdit1->setTextCursor(cursor);

    const CommentKinds kinds = m_form->commentKinds();
    QString typed;
    for (const QString &line : lines) {
        pressF1();
        if (IsRecognisedComment(line, kinds))
            continue;
        typed += line + u"\r\n"_s;
        if (method == 0) {
            // The whole text is the line; the Enter is the program's to act on.
            QCOMPARE(boxText(), line);
        }
    }
    // Every caption line and its break, in order, and no comment line; line
    // by line, so that a failure names the line.
    if (method == 1) {
        const QStringList arrived = boxText().split(u"\r\n"_s);
        const QStringList expected = typed.split(u"\r\n"_s);
        for (qsizetype i = 0; i < std::min(arrived.size(), expected.size()); ++i)
            QCOMPARE(arrived[i], expected[i]);
        QCOMPARE(arrived.size(), expected.size());
    }
    QCOMPARE(m_form->RichEdit1->textCursor().position(),
             m_form->RichEdit1->document()->characterCount() - 1);
}

void TestWineSending::closedTargetIsNotReportedSent()
{
    if (m_box == 0)
        QSKIP("No capture");
    m_notepad.stop(); // notepad and the editor's bridge end with the prefix's server
    WindowSender &sender = m_form->windowSender();
    QVERIFY(!sender.windowExists(m_box));
    const SendOutcome outcome = sender.typeTextAndEnter(m_box, "x");
    QVERIFY(!outcome.delivered());
    QCOMPARE(outcome.failure, SendFailure::TargetGone);
}

QTEST_MAIN(TestWineSending)
#include "tst_winesending.moc"
