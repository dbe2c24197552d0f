// The result list and talker list windows against a real main window.
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "lists/TFindList.h"
#include "lists/TMsgList.h"
#include "platform/ScriptedPrompter.h"

#include <QAction>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
QStringList items(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
} // namespace

class TestListWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void findListup_data();
    void findListup();
    void talkers();
    void jumpScrollsTheRoll_data();
    void jumpScrollsTheRoll();

private:
    ScriptedPrompter m_prompter;
};

void TestListWindows::init()
{
    Prompter::install(&m_prompter);
    createAppWindows();
    Form1->resize(700, 400);
    Form1->show();
    QTRY_VERIFY(!Form1->Timer1->isActive());
    m_prompter.clear();
}

void TestListWindows::cleanup()
{
    destroyAppWindows();
}

void TestListWindows::findListup_data()
{
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("lines 1 and 3") << QVariant(u"の"_s) << true << u"該当行リスト - の を含む行"_s
                                   << QStringList{u"00001 : 私の"_s, u"00003 : <-あの"_s};
    QTest::newRow("nothing found still shows") << QVariant(u"ん"_s) << true << u"該当行リスト - ん を含む行"_s
                                               << QStringList{};
    QTest::newRow("cancelled") << QVariant() << false << u"該当行リスト"_s << QStringList{};
}

void TestListWindows::findListup()
{
    QFETCH(QVariant, answer);
    QFETCH(bool, shown);
    QFETCH(QString, caption);
    QFETCH(QStringList, entries);
    Form1->RichEdit1->setPlainText(u"私の\nです\n<-あの"_s);
    if (answer.isValid())
        m_prompter.answer(answer);
    Form1->findChild<QAction *>(u"FindListup1"_s)->trigger();
    const PromptRecord &asked = m_prompter.asked().first();
    QCOMPARE(asked.caption, u"検索対象文字列"_s);
    QCOMPARE(asked.text, u"一括検索"_s);
    QCOMPARE(FindList->isVisible(), shown);
    QCOMPARE(FindList->windowTitle(), caption);
    QCOMPARE(items(FindList->Listup), entries);
}

void TestListWindows::talkers()
{
    Form1->RichEdit1->setPlainText(u"田中／はい\n佐藤／いいえ\n田中／そうです\nそれは田中さんの"_s);
    MsgList->Button1Click();
    QCOMPARE(items(MsgList->TotalList), (QStringList{u"田中／"_s, u"佐藤／"_s}));
    MsgList->TotalList->setCurrentRow(0);
    MsgList->Talker1Click();
    QCOMPARE(FindList->windowTitle(), u"該当行リスト - 発言者：田中／ のいる行"_s);
    QCOMPARE(items(FindList->Listup), (QStringList{u"00001 : 田中／はい"_s, u"00003 : 田中／そうです"_s}));
    MsgList->Search1Click();
    QCOMPARE(FindList->windowTitle(), u"該当行リスト - 発言者：田中 の名前を含む行"_s);
    QCOMPARE(items(FindList->Listup).size(), 3);
    // "更新" after editing replaces the list.
    Form1->RichEdit1->setPlainText(u"鈴木／はい"_s);
    MsgList->Button1Click();
    QCOMPARE(items(MsgList->TotalList), QStringList{u"鈴木／"_s});
}

void TestListWindows::jumpScrollsTheRoll_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("toEnd");
    QTest::newRow("line 40 on top") << u"00040 : 行"_s << false;
    QTest::newRow("beyond the roll scrolls as far as possible") << u"00120 : 行"_s << true;
}

void TestListWindows::jumpScrollsTheRoll()
{
    QFETCH(QString, entry);
    QFETCH(bool, toEnd);
    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << u"行%1"_s.arg(i);
    Form1->RichEdit1->setPlainText(lines.join(u'\n'));
    FindList->showLines(u"x"_s, {entry});
    FindList->ListupDblClick(); // nothing selected: nothing happens
    QCOMPARE(Form1->RichEdit1->verticalScrollBar()->value(), 0);
    FindList->Listup->setCurrentRow(0);
    FindList->ListupDblClick();
    const QScrollBar *bar = Form1->RichEdit1->verticalScrollBar();
    if (toEnd)
        QCOMPARE(bar->value(), bar->maximum());
    else
        QCOMPARE(Form1->RichEdit1->firstVisibleLine(), 39);
    QCOMPARE(Form1->RichEdit1->textCursor().position(), 0); // the caret stays
}

QTEST_MAIN(TestListWindows)
#include "tst_listwindows.moc"
