// The reshaping commands on a real main window, the analyser included.
#include "analysis/TSetChasen.h"
#include "app/AppWindows.h"
#include "history/EditHistory.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/ScriptedPrompter.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"
#include "session/RollSession.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace Qt::StringLiterals;

class TestReshapeCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void questionsAndResults_data();
    void questionsAndResults();
    void answeringNoChangesNothing();
    void wordCheckUsesTheAnalyserAndCustomWords_data();
    void wordCheckUsesTheAnalyserAndCustomWords();
    void brokenCustomWordsAreLeftOutWithAWarning();
    void lineBreakOptionsReachBothReshapes_data();
    void lineBreakOptionsReachBothReshapes();
    void periodBreakBeforeReshapeIsSilent();
    void oneUndoStepRestoresTheRoll_data();
    void oneUndoStepRestoresTheRoll();
    void transactionsAreAsTheCommandFoundThem();

private:
    void trigger(const QString &name) { Form1->findChild<QAction *>(name)->trigger(); }
    QString roll() const { return Form1->RichEdit1->toPlainText(); }
    ScriptedPrompter m_prompter;
};

void TestReshapeCommands::init()
{
    Prompter::install(&m_prompter);
    createAppWindows();
    Form1->show();
    QTRY_VERIFY(!Form1->Timer1->isActive());
    m_prompter.clear();
}

void TestReshapeCommands::cleanup()
{
    destroyAppWindows();
}

void TestReshapeCommands::questionsAndResults_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("after");
    QTest::newRow("by count") << u"Line1"_s << QString(25, u'あ')
        << u"文字ラインを超える行を自動改行します。 \r\n\r\n (文字数は「文字ラインの位置」の設定(=10文字)を使います。）"_s
        << u"自動改行"_s << QString(10, u'あ') + u'\n' + QString(10, u'あ') + u'\n' + QString(5, u'あ') + u'\n';
    QTest::newRow("by width") << u"AdjustWidth1"_s << QString(20, u'漢')
        << u"文字幅を超える行を自動改行します。 \r\n\r\n (文字幅は「文字幅チェック」の設定(=55ポイントのときの\r\n640ピクセルまで)を使います。）"_s
        << u"自動改行"_s << QString(8, u'漢') + u'\n' + QString(8, u'漢') + u'\n' + QString(4, u'漢') + u'\n';
    QTest::newRow("at 。") << u"AdjustbyEnter1"_s << u"今日は晴れ。明日は雨。"_s << u"「。」で自動改行します。 "_s
                          << u"自動改行"_s << u"今日は晴れ。\n明日は雨。\n\n"_s;
    QTest::newRow("at ／") << u"AdjustbyTalker1"_s << u"田中／本日は\n田中/本日は"_s << u"「／」で自動改行します。 "_s
                          << u"自動改行"_s << u"田中／\n本日は\n田中/本日は\n"_s;
    QTest::newRow("at 、") << u"AdjustbyComma"_s << u"まず、次に"_s << u"「、」で自動改行します。 "_s
                          << u"自動改行"_s << u"まず、\n次に\n"_s;
    QTest::newRow("centring") << u"AdjustCenter"_s << u"あいう\n<-メモ"_s << u"センタリングを開始します。 "_s
                              << u"センタリング"_s << u"       あいう\n<-メモ\n"_s;
    QTest::newRow("trimming") << u"rimming1"_s << u"　 あいう \t\n"_s << u"前後空白の削除を開始します。 "_s
                              << u"前後空白の削除"_s << u"　 あいう\n"_s;
}

void TestReshapeCommands::questionsAndResults()
{
    QFETCH(QString, command);
    QFETCH(QString, before);
    QFETCH(QString, question);
    QFETCH(QString, caption);
    QFETCH(QString, after);
    Form1->RichEdit1->setPlainText(before);
    trigger(command);
    QCOMPARE(roll(), after);
    QCOMPARE(m_prompter.asked().size(), 2);
    QCOMPARE(m_prompter.asked().at(0).text, question);
    QCOMPARE(m_prompter.asked().at(0).caption, u"開始メッセージ"_s);
    QCOMPARE(m_prompter.asked().at(0).buttons, MsgButtons::YesNo);
    QCOMPARE(m_prompter.asked().at(1).text, u"完了しました。"_s);
    QCOMPARE(m_prompter.asked().at(1).caption, caption);
    QCOMPARE(Form1->statusText(), QString());
}

void TestReshapeCommands::answeringNoChangesNothing()
{
    Form1->CRdot->setChecked(true);
    const QString text = QString(25, u'あ') + u"。続き"_s;
    Form1->RichEdit1->setPlainText(text);
    const int steps = Form1->history().ring().undoSteps();
    m_prompter.answer(MsgResult::No);
    trigger(u"Line1"_s);
    QCOMPARE(roll(), text);
    QCOMPARE(Form1->history().ring().undoSteps(), steps);
}

void TestReshapeCommands::wordCheckUsesTheAnalyserAndCustomWords_data()
{
    QTest::addColumn<QString>("custom");
    QTest::addColumn<QString>("after");
    QTest::newRow("analyser's words") << QString() << u"今日は\nとても良い\n天気です\n"_s;
    QTest::newRow("custom word kept whole") << u"良い天気"_s << u"今日は\nとても\n良い天気\nです\n"_s;
}

void TestReshapeCommands::wordCheckUsesTheAnalyserAndCustomWords()
{
    QFETCH(QString, custom);
    QFETCH(QString, after);
    Form1->CharPosValue->setValue(5);
    Form1->PlasticWordCheck->setChecked(true);
    WordDic->DicList->setPlainText(custom);
    Form1->RichEdit1->setPlainText(u"今日はとても良い天気です"_s);
    trigger(u"Line1"_s);
    QCOMPARE(roll(), after);
}

void TestReshapeCommands::lineBreakOptionsReachBothReshapes_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<QString>("custom");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const QString example = u"今日はとても良い天気です。明日も晴れるでしょう、たぶん。"_s;
    QTest::newRow("kinsoku by count") << u"Line1"_s << QStringList{u"PlasticWordCheck"_s, u"PlasticKinsoku"_s}
                                      << QString() << example
                                      << u"今日はとても\n良い天気\nです。明日も\n晴れるでしょ\nう、たぶん。\n"_s;
    // Phrases need the analyser's words even with the word check off.
    QTest::newRow("phrases by count") << u"Line1"_s << QStringList{u"PlasticPhrase"_s} << QString() << example
                                      << u"今日はとても\n良い\n天気です。\n明日も晴れる\nでしょう、\nたぶん。\n"_s;
    QTest::newRow("custom phrase whole") << u"Line1"_s << QStringList{u"PlasticPhrase"_s} << u"とても良い"_s << example
                                         << u"今日は\nとても良い\n天気です。\n明日も晴れる\nでしょう、\nたぶん。\n"_s;
    // 640 pixels hold eight characters of the 55-point caption font.
    QTest::newRow("width, no rule") << u"AdjustWidth1"_s << QStringList() << QString() << u"あいうえおかきこ。さしす"_s
                                    << u"あいうえおかきこ\n。さしす\n"_s;
    QTest::newRow("kinsoku by width") << u"AdjustWidth1"_s << QStringList{u"PlasticKinsoku"_s} << QString()
                                      << u"あいうえおかきこ。さしす"_s << u"あいうえおかき\nこ。さしす\n"_s;
    QTest::newRow("balance by width") << u"AdjustWidth1"_s << QStringList{u"PlasticBalance"_s} << QString()
                                      << u"あいうえおかきこさしすせそ"_s << u"あいうえおかき\nこさしすせそ\n"_s;
}

void TestReshapeCommands::lineBreakOptionsReachBothReshapes()
{
    QFETCH(QString, command);
    QFETCH(QStringList, marks);
    QFETCH(QString, custom);
    QFETCH(QString, before);
    QFETCH(QString, after);
    Form1->CharPosValue->setValue(6);
    SetCheck->SetCheckWidth->setValue(640);
    SetCheck->SelFontSize->setValue(55);
    for (const QString &mark : marks)
        Form1->findChild<QAction *>(mark)->setChecked(true);
    WordDic->DicList->setPlainText(custom);
    Form1->RichEdit1->setPlainText(before);
    trigger(command);
    QCOMPARE(roll(), after);
}

void TestReshapeCommands::brokenCustomWordsAreLeftOutWithAWarning()
{
    Form1->CharPosValue->setValue(5);
    Form1->PlasticWordCheck->setChecked(true);
    WordDic->DicList->setPlainText(u"良い天気\n良い\uFFFD\n\n\uFFFD"_s);
    Form1->RichEdit1->setPlainText(u"今日はとても良い天気です"_s);
    trigger(u"Line1"_s);
    QCOMPARE(roll(), u"今日は\nとても\n良い天気\nです\n"_s);
    QCOMPARE(m_prompter.asked().size(), 3);
    const PromptRecord &warning = m_prompter.asked().at(1);
    QCOMPARE(warning.text, u"カスタム辞書の 2、4 行目は読めない文字を含むため、使わずに整形します。"_s);
    QCOMPARE(warning.caption, u"カスタム辞書"_s);
    QCOMPARE(warning.icon, MsgIcon::Warning);
    QCOMPARE(m_prompter.asked().at(2).text, u"完了しました。"_s);
}

void TestReshapeCommands::periodBreakBeforeReshapeIsSilent()
{
    Form1->CRdot->setChecked(true);
    Form1->RichEdit1->setPlainText(u"はい。"_s + QString(12, u'あ'));
    trigger(u"Line1"_s);
    QCOMPARE(roll(), u"はい。\n"_s + QString(10, u'あ') + u"\nああ\n"_s);
    QCOMPARE(m_prompter.asked().size(), 2); // the reshape's question and report only
}

void TestReshapeCommands::oneUndoStepRestoresTheRoll_data()
{
    QTest::addColumn<bool>("period");
    QTest::addColumn<bool>("comma");
    QTest::newRow("no breaks before") << false << false;
    QTest::newRow("break at 。 before") << true << false;
    QTest::newRow("breaks at 。 and 、 before") << true << true;
}

// The breaks run before a reshape are part of it: one Undo takes all back.
void TestReshapeCommands::oneUndoStepRestoresTheRoll()
{
    QFETCH(bool, period);
    QFETCH(bool, comma);
    Form1->CRdot->setChecked(period);
    Form1->CRcomma->setChecked(comma);
    const QString text = u"晴れ。今日は、"_s + QString(25, u'あ') + u"\n短い"_s;
    Form1->RichEdit1->setPlainText(text);
    const int steps = Form1->history().ring().undoSteps();
    trigger(u"Line1"_s);
    QVERIFY(roll() != text);
    QCOMPARE(Form1->history().ring().undoSteps(), steps + 1);
    trigger(u"Undo1"_s);
    QCOMPARE(roll(), text);
    Form1->CRdot->setChecked(false);
    Form1->CRcomma->setChecked(false);
}

// A whole-roll command, with a silent command nested in it (the break at
// 「。」 before the reshape), leaves the transaction and the colouring hold as
// it found them, also when it runs inside another command's transaction.
void TestReshapeCommands::transactionsAreAsTheCommandFoundThem()
{
    Form1->CharPosValue->setValue(5);
    Form1->CRdot->setChecked(true);
    for (const bool inOuter : {false, true}) {
        Form1->RichEdit1->setPlainText(u"晴れ。今日はとても良い天気です"_s);
        std::optional<RollSession::Transaction> outer;
        if (inOuter)
            outer.emplace(Form1->session());
        const int depth = Form1->session().transactionDepth();
        m_prompter.answer(MsgResult::Yes);
        trigger(u"Line1"_s);
        QCOMPARE(roll(), u"晴れ。\n今日はとて\nも良い天気\nです\n"_s);
        QCOMPARE(Form1->session().transactionDepth(), depth);
        QVERIFY(!Form1->RecolorSuppressed);
    }
    QCOMPARE(Form1->session().transactionDepth(), 0);
    Form1->CRdot->setChecked(false);
}

QTEST_MAIN(TestReshapeCommands)
#include "tst_reshapecommands.moc"
