// Start-up, menus and shutdown of the main window, driven headless.
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "widgets/ToolWindow.h"
#include "app/RollEditor.h"
#include "widgets/StartupMask.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"
#include "lists/TMsgList.h"
#include "print/TSetPrinterSetup.h"
#include "reshape/TSetCheck.h"
#include "reshape/TWordDic.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kReady = u"☆起動完了"_s;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// One line per menu item: indentation by depth, caption, and the shortcut.
void listMenu(const QList<QAction *> &actions, int depth, QStringList &out)
{
    for (const QAction *action : actions) {
        const QString indent(depth * 2, u' ');
        if (action->isSeparator()) {
            out << indent + u"-"_s;
            continue;
        }
        QString line = indent + action->text();
        if (!action->shortcut().isEmpty())
            line += u" ["_s + action->shortcut().toString() + u']';
        if (action->isCheckable())
            line += u" (check)"_s;
        out << line;
        if (action->menu())
            listMenu(action->menu()->actions(), depth + 1, out);
    }
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowsAreCreatedHiddenAndMarkTheMask();
    void startupStages_data();
    void startupStages();
    void startupOpensFileOrOffersResume_data();
    void startupOpensFileOrOffersResume();
    void menuBar();
    void contextMenu();
    void menuKeysWinOverEditorBindings();
    void shiftEnterEndsTheLine();
    void toolWindowsStartBesideTheMainWindow();
    void storedPlaceOffEveryScreenIsBroughtBack();
    void shownToolWindowsLieWholeOnTheScreen();
    void toolWindowGoesBesideTheMainWindowWhereItStands();
    void storedToolWindowPlaceIsKept();
    void checkWindowIsAsLargeAsItsContents();
    void customDictionaryItemOpensItsWindow();
    void closeQuestion_data();
    void closeQuestion();
    void exitEndsWithoutQuestion();
    void sessionEndAsksLikeClosing_data();
    void sessionEndAsksLikeClosing();
    void closeAfterSessionEndAsksOnlyAfterAnEdit_data();
    void closeAfterSessionEndAsksOnlyAfterAnEdit();

private:
    void startAndWait();

    QTemporaryDir m_dir;
    QString m_oldCwd;
    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_noPrinters;
    FixedPrinterCatalog m_printers{{u"Office"_s, u"Label"_s}, u"Label,winspool,Ne01:"_s};
    QStringList m_status;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_oldCwd = QDir::currentPath();
    Prompter::install(&m_prompter);
}

void TestMainWindow::init()
{
    // Start-up reads and writes relative to the working folder.
    QDir::setCurrent(m_dir.path());
    QFile::remove(u"作業一時保存.txt"_s);
    m_prompter.clear();
    m_status.clear();
    PrinterCatalog::install(&m_noPrinters);
    createAppWindows();
    connect(Form1, &TForm1::statusTextChanged, this, [this](const QString &t) { m_status << t; });
}

void TestMainWindow::cleanup()
{
    destroyAppWindows();
    QDir::setCurrent(m_oldCwd);
}

void TestMainWindow::startAndWait()
{
    Form1->show();
    QTRY_COMPARE(Form1->statusText(), kReady);
    QTRY_VERIFY(!Form1->Timer1->isActive());
}

void TestMainWindow::windowsAreCreatedHiddenAndMarkTheMask()
{
    // Every tool window has marked itself; the main window marks on first show.
    QCOMPARE(startupMask(), quint32(0x7FFE));
    const QWidgetList tops = QApplication::topLevelWidgets();
    int toolWindows = 0;
    for (const QWidget *w : tops) {
        if (w != Form1 && !qobject_cast<const QMenu *>(w) && w->parent() == nullptr) {
            ++toolWindows;
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        }
    }
    QCOMPARE(toolWindows, 17);
    Form1->show();
    QCOMPARE(startupMask(), kStartupComplete);
    QCOMPARE(Form1->windowTitle(), u"前ロールエディター KOVA (Velmat)"_s);
}

void TestMainWindow::startupStages_data()
{
    QTest::addColumn<bool>("withPrinters");
    QTest::addColumn<QStringList>("stages");
    QTest::addColumn<QString>("selectedPrinter");
    QTest::newRow("no printer: the block stops, start-up goes on")
        << false
        << QStringList{u"☆初期化開始・・・(1)"_s, u"☆初期化開始・・・(1.2)"_s,
                       u"☆初期化開始・・・(1.3)"_s, u"☆プリンタが見つからないので設定を中断しました。"_s,
                       u"☆初期化開始・・・(2)"_s, u"☆初期化開始・・・(3)"_s,
                       u"☆初期化開始・・・(4)"_s, kReady}
        << QString();
    QTest::newRow("printers: default selected by the name before the first comma")
        << true
        << QStringList{u"☆初期化開始・・・(1)"_s, u"☆初期化開始・・・(1.2)"_s,
                       u"☆初期化開始・・・(1.3)"_s, u"☆初期化開始・・・(1.4)"_s,
                       u"☆初期化開始・・・(1.5)"_s, u"☆初期化開始・・・(2)"_s,
                       u"☆初期化開始・・・(3)"_s, u"☆初期化開始・・・(4)"_s, kReady}
        << u"Label"_s;
}

void TestMainWindow::startupStages()
{
    QFETCH(bool, withPrinters);
    QFETCH(QStringList, stages);
    QFETCH(QString, selectedPrinter);
    if (withPrinters)
        PrinterCatalog::install(&m_printers);
    startAndWait();
    // Ticks before the mask is complete only say they are waiting.
    QStringList seen = m_status;
    while (!seen.isEmpty() && !seen.first().startsWith(u"☆初期化開始"_s)) {
        QVERIFY(seen.first().startsWith(u"☆アプリケーション起動準備中・・・"_s) || seen.first() == kReady);
        seen.removeFirst();
    }
    QCOMPARE(seen, stages);
    QCOMPARE(Form1->SelFontName->currentText(), u"ＭＳ ゴシック"_s);
    QCOMPARE(SetPrinterSetup->PrinterName->currentText(), selectedPrinter);
    // Chosen in stage 1.4, or by the settings file's default in stage 3.
    QCOMPARE(SetPrinterSetup->PrintFont->currentText(), u"ＭＳ ゴシック"_s);
    QVERIFY(m_prompter.asked().isEmpty());
}

void TestMainWindow::startupOpensFileOrOffersResume_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("suspendFile");
    QTest::addColumn<bool>("asked");
    QTest::newRow("file argument wins over suspended work") << u"roll.txt"_s << true << false;
    QTest::newRow("missing file argument: nothing asked") << u"missing.txt"_s << true << false;
    QTest::newRow("no argument, nothing suspended") << QString() << false << false;
    QTest::newRow("no argument, suspended work offered") << QString() << true << true;
}

void TestMainWindow::startupOpensFileOrOffersResume()
{
    QFETCH(QString, argument);
    QFETCH(bool, suspendFile);
    QFETCH(bool, asked);
    writeFile(u"roll.txt"_s, "abc\r\n");
    if (suspendFile)
        writeFile(u"作業一時保存.txt"_s, "abc\r\n");
    Form1->setCommandLineFile(argument);
    m_prompter.answer(MsgResult::No);
    startAndWait();
    QCOMPARE(m_prompter.asked().size(), asked ? 1 : 0);
    if (asked) {
        const PromptRecord &q = m_prompter.asked().first();
        QCOMPARE(q.text, u"前回、作業途中でした。作業状態を復帰しますか？"_s);
        QCOMPARE(q.caption, u"作業復帰"_s);
        QCOMPARE(q.icon, MsgIcon::Question);
        QCOMPARE(q.buttons, MsgButtons::YesNo);
    }
}

void TestMainWindow::menuBar()
{
    QStringList actual;
    listMenu(Form1->menuBar()->actions(), 0, actual);
    const QStringList expected = uR"(ファイル(&File)
  新規作成(&New)
  開く(&Open) [Ctrl+O]
  名前をつけて保存(Save &as) [Ctrl+S]
  -
  設定を開く (Config &Load)
  設定を保存(Config &Save)
  -
  作業を中断する(Resu&me) [Ctrl+Q]
  作業を再開する(&Restore)
  -
  プログラム終了(&Exit)
編集(&Edit)
  元に戻す(&Undo) [Ctrl+Z]
  再度戻す(&Redo) [Ctrl+W]
  -
  切り取り(cu&t) [Ctrl+X]
  コピー(&Copy) [Ctrl+C]
  貼り付け(&Paste) [Ctrl+V]
  削除(De&lete) [Ctrl+Alt+D]
  すべて選択(&All) [Ctrl+A]
  -
  検索(&Find) [Ctrl+F]
  次を検索(&Next) [F3]
  一括検索(Find &Listup) [Shift+F3]
  置換(&Replace) [Ctrl+R]
  -
  指定行に移動(&Jump) [Ctrl+J]
  -
  IPtalk制御記号(Comman&d)
    ルビ記号(&Rubi)
ツール(&Tool)
  行チェック(&Check)
    文字数でチェック(&Count)
    文字幅でチェック(&Width)
  整形(&Plastic)
    指定文字数で改行(Adjust by &Count)
    指定幅で改行(Adjust by &Width)
    「。」で改行(Adjust by &Enter)
    「／」で改行（Adjust by &Talker)
    「、」で改行（Adjust by C&omma)
    センタリング(C&entering)
    前後空白の削除(T&rimming)
  作成支援(&Assist)
    ロール統合(&Joint)
    文章解析(&Analyze)
    発言者チェック(&Name)
    全体文字数(&Counter)
    文字種の置き換え(&Replace)
    ふりがなを振る(R&ubi)
    品詞をマーク(&Mark)
    スライド前ロール化(&Slide Convert)
    スライド編集(Slide &Editor)
    スライド風ロール向けの行カウント(Line &Count Mode) (check)
  前ロールアドバイザ(A&dvice)
  流し込み支援(&Input)
    入力支援メニュー(&Input Assist)
設定(&Set)
  印字設定(&Print)
  表示設定(&Draw)
    色付けを自動更新しない(No &Color) (check)
    文字ライン数を表示しない(No Width &Line) (check)
    色づけしなおす(&ReDraw)
    キャレットラインを表示する(&Caret Line) (check)
  チェック設定(&Check)
    チェックウィンドウ(&Check)
    IPtalkの設定を取り込む(&Import)
  言語解析(&Analyze)
  フィルタ(&Filter)
  ふりがなの学年(Furigana &Grade)
    すべての語に振る(&All) (check)
    小学1年生までの漢字には振らない(&1) (check)
    小学2年生までの漢字には振らない(&2) (check)
    小学3年生までの漢字には振らない(&3) (check)
    小学4年生までの漢字には振らない(&4) (check)
    小学5年生までの漢字には振らない(&5) (check)
    小学6年生までの漢字には振らない(&6) (check)
  整形設定(P&lastic)
    コメントも整形する(with &Comment-Line) (check)
    泣き別れを考慮する(&Word Check) (check)
    カスタム泣き別れ辞書(Word &Dictionary)
    改行をすべて無視(&no effect CR) (check)
    「。」で改行する(CR by d&ot) (check)
    「、」で改行する(CR by comm&a ) (check)
    １行毎に改行を入れる(inser&t CR) (check)
    -
    禁則処理をする(&Kinsoku) (check)
    文節の切れ目で改行する(&Phrase) (check)
    行の長さをそろえる(&Balance) (check)
  自動保存する(A&utoSave) (check)
印字(&Print)
  前ロール印刷(&Roll)
    通常印刷(&Standard) [Ctrl+P]
    分割あり印刷(&Enhanced) [Ctrl+Alt+P]
  抜き出し印刷(&Parts)
    タイトル印刷(&Title)
ウィンドウ(&Window)
  文章解析(&Analyze) [Ctrl+Alt+A]
  チェックウィンドウ(&Check) [Ctrl+Alt+C]
  前ロールアドバイザ(A&dvice) [Ctrl+Alt+D]
  入力支援メニュー(&Input Assist) [Ctrl+Alt+I]
  発言者チェック(&Name) [Ctrl+Alt+N]
  一括検索(Find &Listup) [Ctrl+Alt+S]
  ロール統合(&Joint) [Ctrl+Alt+R]
  バックアップローダー(&Backup) [Ctrl+Alt+B]
  -
  字幕プレビュー(&Preview) [Ctrl+Alt+V] (check)
ヘルプ(&Help)
  サポートサイトを開く(&Open)
  マニュアルを開く(&Manual)
  -
  このツールについて(&About))"_s.split(u'\n');
    QCOMPARE(actual, expected);
}

void TestMainWindow::contextMenu()
{
    QStringList actual;
    listMenu(Form1->PopupMenu1->actions(), 0, actual);
    const QStringList expected = uR"(元に戻す(&Undo) [Ctrl+Z]
-
切り取り(cu&t) [Ctrl+X]
コピー(&Copy) [Ctrl+C]
貼り付け(&Paste) [Ctrl+V]
削除(De&lete)
-
検索(&Search) [Ctrl+F]
次を検索(&Next) [F3]
置換(&Replace) [Ctrl+H]
-
指定行に移動(&Jump) [Ctrl+G]
-
IPtalk制御記号(Co&mmand)
  ルビ記号(&Rubi)
-
コメント化(C&omment)
  タグジャンプ用のコメント(&Tag)
  説明用のコメント(&Summary)
  交代者用のコメント(&Change)
  単純なコメント(Standar&d) [Alt+Space]
アンコメント化(Uncomm&ent) [Ctrl+Space])"_s.split(u'\n');
    QCOMPARE(actual, expected);
}

void TestMainWindow::menuKeysWinOverEditorBindings()
{
    // Ctrl+A must reach the menu command, and the editor's own undo must not
    // act on Ctrl+Z: the roll keeps its own history.
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    Form1->activateWindow();
    Form1->RichEdit1->setFocus();
    QSignalSpy all(Form1->findChild<QAction *>(u"All1"_s), &QAction::triggered);
    QSignalSpy undo(Form1->findChild<QAction *>(u"Undo1"_s), &QAction::triggered);
    QTest::keyClick(Form1->RichEdit1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Form1->RichEdit1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(all.count(), 1);
    QCOMPARE(undo.count(), 1);
}

void TestMainWindow::shiftEnterEndsTheLine()
{
    Form1->show();
    Form1->RichEdit1->setFocus();
    QTest::keyClicks(Form1->RichEdit1, u"ab"_s);
    QTest::keyClick(Form1->RichEdit1, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(Form1->RichEdit1, u"c"_s);
    QCOMPARE(Form1->RichEdit1->document()->blockCount(), 2);
    QCOMPARE(Form1->RichEdit1->toPlainText(), u"ab\nc"_s);
}

// Without a settings file every tool window gets a place of its own on the
// screen, and saving the settings keeps those places.
void TestMainWindow::toolWindowsStartBesideTheMainWindow()
{
    startAndWait();
    QVERIFY(Form1->SaveConfigFile(u"saved.ini"_s));
    const QRect screen = Form1->screen()->availableGeometry();
    QList<QPoint> places;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w == Form1 || w->parent() || qobject_cast<QMenu *>(w))
            continue;
        const QPoint at = w->frameGeometry().topLeft();
        QVERIFY2(screen.contains(at), qPrintable(w->objectName()));
        QVERIFY2(!places.contains(at), qPrintable(w->objectName()));
        places << at;
    }
    QCOMPARE(places.size(), 17);
    QFile saved(u"saved.ini"_s);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray ini = saved.readAll();
    QVERIFY(ini.contains("[MsgLst]\r\nTop=" + QByteArray::number(MsgList->frameGeometry().top())
                         + "\r\nLeft=" + QByteArray::number(MsgList->frameGeometry().left())));
}

void TestMainWindow::storedPlaceOffEveryScreenIsBroughtBack()
{
    writeFile(u"自動読み込み.ini"_s, "[MsgLst]\r\nTop=-4000\r\nLeft=9000\r\n[main]\r\nLeft=-3000\r\n");
    startAndWait();
    const QRect screen = Form1->screen()->availableGeometry();
    QVERIFY(screen.contains(MsgList->frameGeometry().topLeft()));
    QVERIFY(screen.contains(Form1->frameGeometry().topLeft()));
}

void TestMainWindow::shownToolWindowsLieWholeOnTheScreen()
{
    // A place stored half over the edge, and every other window where it starts.
    writeFile(u"自動読み込み.ini"_s, "[MsgLst]\r\nTop=100\r\nLeft=" + QByteArray::number(
                                       Form1->screen()->availableGeometry().right() - 50) + "\r\n");
    startAndWait();
    const QRect screen = Form1->screen()->availableGeometry();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *tool = qobject_cast<ToolWindow *>(w);
        if (!tool)
            continue;
        tool->showTool();
        const QRect frame = tool->frameGeometry();
        if (frame.width() <= screen.width() && frame.height() <= screen.height())
            QVERIFY2(screen.contains(frame), qPrintable(tool->objectName()));
        else
            QVERIFY2(screen.contains(frame.topLeft()), qPrintable(tool->objectName()));
        tool->hide();
    }
}

// The main window moved after the start: a tool window shown for the first
// time goes beside it, not where the main window stood at the start.
void TestMainWindow::toolWindowGoesBesideTheMainWindowWhereItStands()
{
    QFile::remove(u"自動読み込み.ini"_s); // no places of their own
    startAndWait();
    const QRect screen = Form1->screen()->availableGeometry();
    Form1->resize(screen.width() / 2, screen.height() / 2);
    Form1->move(screen.right() + 1 - Form1->frameGeometry().width(), screen.top());
    QTRY_COMPARE(Form1->frameGeometry().right(), screen.right());
    QTRY_VERIFY(!Form1->Timer1->isActive());
    for (const char *name : {"Window3", "Name1"})
        Form1->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    for (QWidget *tool : {static_cast<QWidget *>(SetCheck), static_cast<QWidget *>(MsgList)}) {
        QVERIFY(tool->isVisible());
        const QRect frame = tool->frameGeometry();
        QVERIFY2(!frame.intersects(Form1->frameGeometry()), qPrintable(tool->objectName()));
        QVERIFY2(frame.right() < Form1->frameGeometry().left(), qPrintable(tool->objectName()));
        QVERIFY2(screen.contains(frame), qPrintable(tool->objectName()));
    }
    // One after the other, not on top of each other.
    QVERIFY(SetCheck->frameGeometry().topLeft() != MsgList->frameGeometry().topLeft());
    // Shown once, a window stays where it was even when the main window moves.
    const QPoint shownAt = SetCheck->pos();
    SetCheck->hide();
    Form1->move(screen.topLeft());
    Form1->Window3Click();
    QCOMPARE(SetCheck->pos(), shownAt);
}

// A place from the settings file is the user's: the window shows there.
void TestMainWindow::storedToolWindowPlaceIsKept()
{
    writeFile(u"自動読み込み.ini"_s, "[MsgLst]\r\nTop=40\r\nLeft=30\r\n");
    startAndWait();
    Form1->move(Form1->screen()->availableGeometry().topLeft() + QPoint(200, 0));
    Form1->Name1Click();
    QCOMPARE(MsgList->frameGeometry().topLeft(), QPoint(30, 40));
}

// The item opens the custom dictionary window; it has no check mark to show.
void TestMainWindow::customDictionaryItemOpensItsWindow()
{
    startAndWait();
    QAction *item = Form1->findChild<QAction *>(u"WordDictionary1"_s);
    QVERIFY(!item->isCheckable());
    item->trigger();
    QVERIFY(WordDic->isVisible());
    QVERIFY(!item->isChecked());
}

void TestMainWindow::checkWindowIsAsLargeAsItsContents()
{
    startAndWait();
    Form1->Window3Click();
    QVERIFY(QTest::qWaitForWindowExposed(SetCheck));
    QCOMPARE(SetCheck->size(), SetCheck->sizeHint());
    QVERIFY2(SetCheck->width() < 480 && SetCheck->height() < 320,
             qPrintable(u"%1×%2"_s.arg(SetCheck->width()).arg(SetCheck->height())));
}

void TestMainWindow::closeQuestion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closes");
    QTest::newRow("empty roll closes without a question") << QString() << int(MsgResult::Cancel) << false << true;
    QTest::newRow("a single blank line asks; cancel stays") << u"\n"_s << int(MsgResult::Cancel) << true << false;
    QTest::newRow("no closes without saving") << u"本文"_s << int(MsgResult::No) << true << true;
    QTest::newRow("cancel keeps the text") << u"本文"_s << int(MsgResult::Cancel) << true << false;
}

void TestMainWindow::closeQuestion()
{
    QFETCH(QString, text);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closes);
    Form1->show();
    Form1->RichEdit1->setPlainText(text);
    m_prompter.answer(MsgResult(answer));
    QSignalSpy closed(Form1, &TForm1::closed);
    Form1->close();
    QCOMPARE(closed.count(), closes ? 1 : 0);
    QCOMPARE(Form1->isVisible(), !closes);
    QCOMPARE(Form1->RichEdit1->toPlainText(), text);
    QCOMPARE(m_prompter.asked().size(), asked ? 1 : 0);
    if (asked) {
        const PromptRecord &q = m_prompter.asked().first();
        QCOMPARE(q.text, u"現在のデータを保存しますか？"_s);
        QCOMPARE(q.caption, u"破棄の確認"_s);
        QCOMPARE(q.icon, MsgIcon::Question);
        QCOMPARE(q.buttons, MsgButtons::YesNoCancel);
    }
}

void TestMainWindow::exitEndsWithoutQuestion()
{
    Form1->show();
    Form1->RichEdit1->setPlainText(u"未保存の本文"_s);
    QSignalSpy closed(Form1, &TForm1::closed);
    Form1->findChild<QAction *>(u"Exit1"_s)->trigger();
    QCOMPARE(closed.count(), 1);
    QVERIFY(m_prompter.asked().isEmpty());
}

void TestMainWindow::sessionEndAsksLikeClosing_data()
{
    QTest::addColumn<bool>("mayAsk");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariantList>("answers");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("saved");
    const QString roll = u"本文"_s;
    QTest::newRow("no leave to ask: ends as before") << false << roll << QVariantList{} << true << false;
    QTest::newRow("empty roll: ends without a question") << true << QString() << QVariantList{} << true << false;
    QTest::newRow("no: ends unsaved") << true << roll << QVariantList{int(MsgResult::No)} << true << false;
    QTest::newRow("cancel: stays") << true << roll << QVariantList{int(MsgResult::Cancel)} << false << false;
    QTest::newRow("yes, saved: ends")
        << true << roll << QVariantList{int(MsgResult::Yes), u"saved.txt"_s} << true << true;
    QTest::newRow("yes, save dialog cancelled: stays")
        << true << roll << QVariantList{int(MsgResult::Yes), QString()} << false << false;
}

void TestMainWindow::sessionEndAsksLikeClosing()
{
    QFETCH(bool, mayAsk);
    QFETCH(QString, text);
    QFETCH(QVariantList, answers);
    QFETCH(bool, ends);
    QFETCH(bool, saved);
    QFile::remove(u"saved.txt"_s);
    Form1->show();
    Form1->RichEdit1->setPlainText(text);
    for (const QVariant &a : answers)
        m_prompter.answer(a);
    QSignalSpy closed(Form1, &TForm1::closed);
    QCOMPARE(Form1->mayEndSession(mayAsk), ends);
    // The window stays as it is: ending the program is the session's part.
    QCOMPARE(closed.count(), 0);
    QCOMPARE(Form1->RichEdit1->toPlainText(), text);
    QCOMPARE(m_prompter.pendingAnswers(), 0);
    QCOMPARE(m_prompter.asked().size(), int(answers.size()));
    if (!answers.isEmpty()) {
        const PromptRecord &q = m_prompter.asked().first();
        QCOMPARE(q.text, u"現在のデータを保存しますか？"_s);
        QCOMPARE(q.caption, u"破棄の確認"_s);
        QCOMPARE(q.icon, MsgIcon::Question);
        QCOMPARE(q.buttons, MsgButtons::YesNoCancel);
    }
    QCOMPARE(QFile::exists(u"saved.txt"_s), saved);
}

void TestMainWindow::closeAfterSessionEndAsksOnlyAfterAnEdit_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("edit");
    QTest::addColumn<bool>("asksAgain");
    QTest::newRow("answered no, unchanged: closes") << int(MsgResult::No) << false << false;
    QTest::newRow("answered no, then edited: asks") << int(MsgResult::No) << true << true;
    QTest::newRow("cancelled: asks") << int(MsgResult::Cancel) << false << true;
}

void TestMainWindow::closeAfterSessionEndAsksOnlyAfterAnEdit()
{
    QFETCH(int, answer);
    QFETCH(bool, edit);
    QFETCH(bool, asksAgain);
    Form1->show();
    Form1->RichEdit1->setPlainText(u"本文"_s);
    m_prompter.answer(MsgResult(answer));
    Form1->mayEndSession(true);
    if (edit)
        Form1->RichEdit1->insertPlainText(u"追記"_s);
    m_prompter.answer(MsgResult::No);
    QSignalSpy closed(Form1, &TForm1::closed);
    Form1->close();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(m_prompter.asked().size(), asksAgain ? 2 : 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
