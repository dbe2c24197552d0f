// The check commands of the Tool menu on a real main window.
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/Cp932.h"
#include "platform/ErrorNotifier.h"
#include "platform/ScriptedPrompter.h"
#include "reshape/TSetCheck.h"

#include <QAction>
#include <QComboBox>
#include <QScrollBar>
#include <QSpinBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

using namespace Qt::StringLiterals;

class TestCheckCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void checks_data();
    void checks();
    void characterTotal();
    void importFromIPtalk_data();
    void importFromIPtalk();

private:
    ScriptedPrompter m_prompter;
};

void TestCheckCommands::init()
{
    Prompter::install(&m_prompter);
    createAppWindows();
    Form1->resize(700, 300);
    Form1->show();
}

void TestCheckCommands::cleanup()
{
    destroyAppWindows();
    m_prompter.clear();
}

void TestCheckCommands::checks_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("roll");
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("foundLine");
    const QString ok = u"文字数チェック完了。オーバーしているものはありません。"_s;
    QString longRoll;
    for (int i = 0; i < 40; ++i)
        longRoll += u"短い行\n"_s;
    QTest::newRow("count: nothing over")
        << u"M1"_s << u"あいうえおかきくけこ\n<-"_s + QString(40, u'あ') << 640 << ok << -1;
    QTest::newRow("count: first of two, deep in the roll")
        << u"M1"_s << longRoll + u"ABCあいうえおかきくけこさ\n"_s + QString(30, u'あ') << 640
        << u"文字数オーバーが41行目が発見されました。"_s << 40;
    QTest::newRow("width: 20 full-width at 55pt over 1440")
        << u"W1"_s << u"短い\n"_s + QString(20, u'漢') << 1440
        << u"文字幅オーバーが2行目が発見されました。(20ピクセルオーバー)"_s << 1;
    QTest::newRow("width: exactly the screen passes") << u"W1"_s << QString(8, u'漢') << 584 << ok << -1;
    QTest::newRow("width: comment skipped") << u"W1"_s << u"<-"_s + QString(40, u'漢') << 640 << ok << -1;
}

void TestCheckCommands::checks()
{
    QFETCH(QString, command);
    QFETCH(QString, roll);
    QFETCH(int, screenWidth);
    QFETCH(QString, message);
    QFETCH(int, foundLine);
    Form1->RichEdit1->setPlainText(roll);
    SetCheck->SetCheckWidth->setValue(screenWidth);
    Form1->findChild<QAction *>(command)->trigger();
    QCOMPARE(m_prompter.asked().size(), 1);
    const PromptRecord &r = m_prompter.asked().first();
    QCOMPARE(r.text, message);
    if (foundLine < 0) {
        QCOMPARE(r.caption, u"指定文字数チェック完了"_s);
        QCOMPARE(r.icon, MsgIcon::Information);
        return;
    }
    QCOMPARE(r.caption, u"指定文字数オーバー"_s);
    QCOMPARE(r.icon, MsgIcon::Warning);
    // The whole found line is selected afterwards.
    const QTextCursor c = Form1->RichEdit1->textCursor();
    QCOMPARE(c.selectedText(), Form1->RichEdit1->document()->findBlockByNumber(foundLine).text());
    QCOMPARE(c.block().blockNumber(), foundLine);
}

void TestCheckCommands::characterTotal()
{
    Form1->RichEdit1->setPlainText(u"あいう\n<-メモ\nABC"_s);
    Form1->findChild<QAction *>(u"Counter1"_s)->trigger();
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text,
             u"文章全体で、10文字です。\r\n\r\n(全角文字も１文字と数えています。)"_s);
    QCOMPARE(m_prompter.asked().first().caption, u"文字数"_s);
    QCOMPARE(m_prompter.asked().first().icon, MsgIcon::None);
}

void TestCheckCommands::importFromIPtalk_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no such file
    QTest::addColumn<QString>("message");  // its beginning
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("after");    // width font size
    const QString before = u"640 ＭＳ ゴシック 55"_s;
    QTest::newRow("three items") << cp932Encode(u"1=800:x:\r\n7=ＭＳ 明朝:x:\r\n9=40:x:\r\n"_s)
                                 << u"読み込みを完了しました。"_s << int(MsgIcon::Information) << u"800 ＭＳ 明朝 40"_s;
    QTest::newRow("width only, clamped") << QByteArray("1=5000:x:\r\n") << u"読み込みを完了しました。"_s
                                         << int(MsgIcon::Information) << u"3000 ＭＳ ゴシック 55"_s;
    QTest::newRow("missing file") << QByteArray() << u"読み込みに失敗しました。アクセス権等ご確認ください。"_s
                                  << int(MsgIcon::Error) << before;
    QTest::newRow("binary") << QByteArray("1=800:x:\r\n\0\0\0", 13) << u"\""_s << int(MsgIcon::Error) << before;
    QTest::newRow("cut short") << QByteArray("1=800:x:\r\n9=4") << u"\""_s << int(MsgIcon::Error) << before;
    QTest::newRow("no items") << QByteArray("[other]\r\nkey=value\r\n") << u"\""_s << int(MsgIcon::Warning)
                              << before;
}

void TestCheckCommands::importFromIPtalk()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(QString, after);
    QTemporaryDir dir;
    setErrorLogFolder(dir.path());
    const QString path = dir.filePath(u"ipt.dp9"_s);
    if (!bytes.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    m_prompter.clear();
    m_prompter.answer(QString()); // cancelled first: nothing at all
    Form1->findChild<QAction *>(u"IPtalkInport1"_s)->trigger();
    QCOMPARE(m_prompter.asked().size(), 1);
    m_prompter.answer(path);
    Form1->IPtalkInport1Click();
    setErrorLogFolder(QString());
    QCOMPARE(m_prompter.asked().size(), 3);
    QVERIFY(m_prompter.asked().at(1).defaultText.contains(u"*.dp9"_s));
    const PromptRecord shown = m_prompter.asked().last();
    QVERIFY2(shown.text.startsWith(message), qPrintable(shown.text));
    QCOMPARE(shown.caption, u"読み込み"_s);
    QCOMPARE(int(shown.icon), icon);
    const WidthCheckSettings now = SetCheck->settings();
    QCOMPARE(u"%1 %2 %3"_s.arg(now.screenWidth).arg(now.font).arg(now.points), after);
    QVERIFY(!SetCheck->isVisible());
}

QTEST_MAIN(TestCheckCommands)
#include "tst_checkcommands.moc"
