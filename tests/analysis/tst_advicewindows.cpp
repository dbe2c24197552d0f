// The ruby commands and the roll advisor as the main window runs them, with
// the real analyser: the texts, captions and icons the user sees, the roll
// and its undo step, the advisor's tree and the lines a finding lists.
#include "analysis/RollAdvisor.h"
#include "analysis/RubyCommands.h"
#include "analysis/TRollAdvice.h"
#include "analysis/TSetChasen.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "lists/TFindList.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"
#include "support/AppWindowsStarted.h"
#include "support/PlainRoll.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QRegularExpression>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {
void appendItems(QString &out, const QTreeWidgetItem *item, int depth)
{
    out += QString(depth * 2, u' ') + item->text(0) + u'\n';
    for (int i = 0; i < item->childCount(); ++i)
        appendItems(out, item->child(i), depth + 1);
}

// The tree as the window shows it, in adviceTreeText's form.
QString treeText(const QTreeWidget *tree)
{
    QString out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        appendItems(out, tree->topLevelItem(i), 0);
    return out;
}

QTreeWidgetItem *itemNamed(const QTreeWidget *tree, const QString &text)
{
    const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}
} // namespace

class TestAdviceWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void manualRuby_data();
    void manualRuby();
    void manualRubyIsOneUndoStep();
    void automaticFurigana();
    void stoppedScanLeavesTheRoll();
    void furiganaTwiceAddsNothing_data();
    void furiganaTwiceAddsNothing();
    void furiganaForTheChosenYear();
    void adviceTree();
    void findingListsItsLines();

private:
    void setRoll(const QString &text);
    QString rollText() const { return Form1->RichEdit1->toPlainText(); }

    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_printers{{u"Office"_s}, u"Office"_s};
};

void TestAdviceWindows::initTestCase()
{
    startAppWindows(m_prompter, m_printers);
}

void TestAdviceWindows::cleanupTestCase()
{
    destroyAppWindows();
}

void TestAdviceWindows::setRoll(const QString &text)
{
    Form1->RichEdit1->setPlainText(text);
    m_prompter.clear();
}

void TestAdviceWindows::manualRuby_data()
{
    QTest::addColumn<QString>("roll");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QVariant>("answer"); // null: the box is cancelled
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<MsgIcon>("icon");
    QTest::newRow("selection wrapped") << u"この漢字を"_s << 2 << 2 << QVariant(u"かんじ"_s)
                                       << u"この`rかんじ`s漢字を"_s << QString() << MsgIcon::None;
    QTest::newRow("across lines, wrapped whole") << u"東\n京"_s << 0 << 3 << QVariant(u"とうきょう"_s)
                                                  << u"`rとうきょう`s東\n京"_s << QString() << MsgIcon::None;
    QTest::newRow("empty answer") << u"漢字"_s << 0 << 2 << QVariant(QString()) << u"漢字"_s
                                  << u"ルビ振りを中止します。"_s << MsgIcon::Error;
    QTest::newRow("cancelled") << u"漢字"_s << 0 << 2 << QVariant() << u"漢字"_s << u"ルビ振りを中止します。"_s
                               << MsgIcon::Error;
    QTest::newRow("no selection") << u"漢字"_s << 1 << 0 << QVariant() << u"漢字"_s
                                  << u"コマンドを実行するときは、ルビを振りたい文字を選択してください。"_s
                                  << MsgIcon::Information;
}

void TestAdviceWindows::manualRuby()
{
    QFETCH(QString, roll);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QVariant, answer);
    QFETCH(QString, result);
    QFETCH(QString, message);
    QFETCH(MsgIcon, icon);
    setRoll(roll);
    Form1->rollAccess().select({start, length});
    m_prompter.answer(answer);
    Form1->Rubi2Click();
    QCOMPARE(rollText(), result);

    QList<PromptRecord> asked = m_prompter.asked();
    if (length > 0) {
        QVERIFY(!asked.isEmpty());
        const PromptRecord input = asked.takeFirst();
        QCOMPARE(input.kind, PromptRecord::InputBox);
        QCOMPARE(input.caption, u"ルビ"_s);
        QCOMPARE(input.text, u"振りたいルビを入力してください。"_s);
        QCOMPARE(input.defaultText, QString());
    }
    if (message.isEmpty()) {
        QCOMPARE(asked.size(), 0);
        return;
    }
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().kind, PromptRecord::Message);
    QCOMPARE(asked.first().text, message);
    QCOMPARE(asked.first().caption, u"ルビ振り"_s);
    QCOMPARE(asked.first().icon, icon);
    QCOMPARE(asked.first().buttons, MsgButtons::Ok);
}

void TestAdviceWindows::manualRubyIsOneUndoStep()
{
    setRoll(u"漢字"_s);
    Form1->RichEdit1Change();
    Form1->rollAccess().select({0, 2});
    m_prompter.answer(u"かんじ"_s);
    Form1->Rubi2Click();
    QCOMPARE(rollText(), u"`rかんじ`s漢字"_s);
    Form1->Undo1Click();
    QCOMPARE(rollText(), u"漢字"_s);
}

void TestAdviceWindows::automaticFurigana()
{
    const QString roll = u"テレビの漢字。\n<-◆漢字\n三十人"_s;
    // As every whole-roll command, it ends the last line with a line break.
    const QString wrapped = u"`rてれび`sテレビの`rかんじ`s漢字。\n<-◆`rかんじ`s漢字\n三十`rにん`s人\n"_s;
    setRoll(roll);
    Form1->RichEdit1Change();
    Form1->rollAccess().select({5, 0});
    QSignalSpy status(Form1, &TForm1::statusTextChanged);
    Form1->Rubi3Click();
    QCOMPARE(rollText(), wrapped);
    QCOMPARE(Form1->statusText(), u"★ルビ振り完了。"_s);
    QStringList texts;
    for (const QList<QVariant> &signal : status)
        texts << signal.first().toString();
    QVERIFY2(texts.indexOf(u"ルビ振り準備中・・・"_s) >= 0
                 && texts.indexOf(u"ルビ振り準備中・・・"_s) < texts.indexOf(u"ルビ振り実行中・・・"_s),
             qPrintable(texts.join(u" | "_s)));
    QCOMPARE(Form1->rollAccess().selection().start, 0);
    QCOMPARE(Form1->rollAccess().selection().length, 0);
    QVERIFY(m_prompter.asked().isEmpty());
    // The tag-jump list follows the changed comment line.
    QTRY_VERIFY(!Form1->RE1_Draw->isActive() && !Form1->RE1_Draw2->isActive());
    QCOMPARE(Form1->QueJump->count(), 1);
    QCOMPARE(Form1->QueJump->itemText(0), u"00002 ：　◆`rかんじ`s漢字"_s);

    // Again: the codes and their bases stay as they are, and with nothing
    // changed no step is recorded.
    Form1->Rubi3Click();
    QCOMPARE(rollText(), wrapped);
    QCOMPARE(Form1->statusText(), u"★ルビ振り完了。"_s);
    Form1->Undo1Click();
    QCOMPARE(rollText(), roll);
}

void TestAdviceWindows::stoppedScanLeavesTheRoll()
{
    PlainRoll roll(u"漢字の本\n"_s);
    WordAnalysis analysis;
    furiganaForRoll(roll, analysis, AnalyserSettings{u"/usr/bin/chasen"_s}, 0,
                    [](qsizetype, qsizetype) { return false; });
    QCOMPARE(roll.text, u"漢字の本\n"_s);
    QCOMPARE(roll.undoSteps, 0);
    QCOMPARE(roll.status, u"☆ルビ振りを中止しました。"_s);
    // Not stopped: one step, the status texts in order.
    roll.statusTexts.clear();
    furiganaForRoll(roll, analysis, AnalyserSettings{u"/usr/bin/chasen"_s}, 0,
                    [](qsizetype, qsizetype) { return true; });
    QCOMPARE(roll.text, u"`rかんじ`s漢字の`rほん`s本\n"_s);
    QCOMPARE(roll.undoSteps, 1);
    QCOMPARE(roll.reports, QStringList{QString()});
    QCOMPARE(roll.statusTexts.mid(roll.statusTexts.lastIndexOf(u"ルビ振り準備中・・・"_s)),
             (QStringList{u"ルビ振り準備中・・・"_s, u"ルビ振り実行中・・・"_s, u"ルビ振り実行中・・・"_s, QString(),
                          u"★ルビ振り完了。"_s}));
    QCOMPARE(roll.selected.start, 0);
}

void TestAdviceWindows::furiganaTwiceAddsNothing_data()
{
    QTest::addColumn<int>("analyser"); // the settings window's choice
    QTest::newRow("ChaSen") << 0;
    QTest::newRow("MeCab") << 1;
}

// The analyser read the readings of the first run's codes as words of the
// roll: a second run wrapped 「古い」 as 「古`rい`sい」, and more on every line.
void TestAdviceWindows::furiganaTwiceAddsNothing()
{
    QFETCH(int, analyser);
    SetChasen->analyser->setCurrentIndex(analyser);
    const QString roll = testDataText(u"roll-sample.txt"_s);
    setRoll(roll);
    Form1->Rubi3Click();
    const QString once = rollText();
    QVERIFY(once.count(u"`r"_s) > 50);
    Form1->Rubi3Click();
    SetChasen->analyser->setCurrentIndex(0);
    QCOMPARE(rollText(), once);
    // Codes only go in: without them the roll is as it was.
    QCOMPARE(QString(once).remove(QRegularExpression(u"`r[^`\n]*`s"_s)), roll);
    QVERIFY(m_prompter.asked().isEmpty());
}

// The Set menu's school year reaches the command: 漢 is taught in year 3,
// 学 and 校 in year 1.
void TestAdviceWindows::furiganaForTheChosenYear()
{
    setRoll(u"テレビの漢字と学校\n"_s);
    QAction *year2 = Form1->findChild<QAction *>(u"FuriganaGrade2"_s);
    QAction *everyWord = Form1->findChild<QAction *>(u"FuriganaGradeAll"_s);
    year2->trigger();
    QVERIFY(!everyWord->isChecked());
    Form1->Rubi3Click();
    everyWord->trigger();
    QVERIFY(!year2->isChecked());
    QCOMPARE(rollText(), u"テレビの`rかんじ`s漢字と学校\n"_s);
    QCOMPARE(Form1->statusText(), u"★ルビ振り完了。"_s);
}

void TestAdviceWindows::adviceTree()
{
    const QString roll = u"佐藤さんは砂糖を買った。\n機会があれば機械を見る。愛と俺\n<-◆弌\nこれはぴ"_s;
    setRoll(roll);
    Form1->Advice1Click();
    QVERIFY(RollAdvice->isVisible());
    RollAdvice->Button1Click();
    QCOMPARE(RollAdvice->Status->text(), u"解析完了。"_s);
    QCOMPARE(RollAdvice->ProgressBar1->value(), 100);
    QVERIFY(RollAdvice->Button1->isEnabled());
    const QString tree = treeText(RollAdvice->TreeView1);
    QCOMPARE(tree, adviceTreeText(adviseRoll(Form1->wordAnalysis().lastRun().lines(), roll)));
    for (const QString &finding :
         {u"  発音が似た名前があります （『佐藤』と『砂糖』）\n"_s, u"  同音語があります （『機会』と『機械』）\n"_s,
          u"  形態素辞書で理解できない文があります。（『ぴ』）\n"_s, u"  常用漢字以外\n    弌\n"_s})
        QVERIFY2(tree.contains(finding), qPrintable(finding));
}

void TestAdviceWindows::findingListsItsLines()
{
    // Run on the roll of adviceTree.
    QTreeWidget *tree = RollAdvice->TreeView1;
    FindList->showLines(u"before"_s, {u"x"_s});
    FindList->hide();

    // A category lists nothing, even while it has no findings.
    tree->setCurrentItem(itemNamed(tree, u"変更を検討したほうが良い漢字"_s));
    QCOMPARE(tree->currentItem()->childCount(), 0);
    RollAdvice->TreeView1DblClick();
    QVERIFY(!FindList->isVisible());
    QCOMPARE(FindList->windowTitle(), u"before"_s);

    // The line holds both words: listed once for each.
    tree->setCurrentItem(itemNamed(tree, u"同音語があります （『機会』と『機械』）"_s));
    RollAdvice->TreeView1DblClick();
    QVERIFY(FindList->isVisible());
    QCOMPARE(FindList->windowTitle(), u"該当行リスト - (前ロールアドバイザより)"_s);
    QCOMPARE(itemTexts(FindList->Listup), (QStringList{u"00002 : 機会があれば機械を見る。愛と俺"_s,
                                                       u"00002 : 機会があれば機械を見る。愛と俺"_s}));

    tree->setCurrentItem(itemNamed(tree, u"弌"_s));
    RollAdvice->TreeView1DblClick();
    QCOMPARE(itemTexts(FindList->Listup), QStringList{u"00003 : <-◆弌"_s});
}

QTEST_MAIN(TestAdviceWindows)
#include "tst_advicewindows.moc"
