// The conversion window and the user list window on a real main window.
#include "app/AppWindows.h"
#include "history/EditHistory.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "convert/TReplaceSet.h"
#include "convert/TWordChangeList.h"
#include "platform/Cp932.h"
#include "platform/ErrorNotifier.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestReplaceSet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void menuShowsTheWindows();
    void wholeRollInOneUndoStep();
    void selectionOnly();
    void userRowsFromTheListWindow();
    void saveAndLoadTheList();
    void loadRefusesAnUnreadableFile();
    void loadKeepsTheRowsWithoutAList_data();
    void loadKeepsTheRowsWithoutAList();
    void downOnTheLastRowAddsARow();
    void bothDialogsFindBothKindsOfFile();
    void keyWithAnEqualsSignIsRefused_data();
    void keyWithAnEqualsSignIsRefused();
    void cellBeingEditedIsSaved();
    void typedKeyWithAnEqualsSignIsRefused();

private:
    QString roll() const { return Form1->RichEdit1->toPlainText(); }
    void select(int from, int to)
    {
        QTextCursor c = Form1->RichEdit1->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        Form1->RichEdit1->setTextCursor(c);
    }
    ScriptedPrompter m_prompter;
    QTemporaryDir m_logDir;
};

void TestReplaceSet::init()
{
    setErrorLogFolder(m_logDir.path()); // refused files are logged
    Prompter::install(&m_prompter);
    createAppWindows();
    Form1->show();
    QTRY_VERIFY(!Form1->Timer1->isActive());
    m_prompter.clear();
}

void TestReplaceSet::cleanup()
{
    destroyAppWindows();
    setErrorLogFolder(QString());
}

void TestReplaceSet::menuShowsTheWindows()
{
    Form1->findChild<QAction *>(u"Replace3"_s)->trigger();
    QVERIFY(ReplaceSet->isVisible());
    QCOMPARE(ReplaceSet->windowTitle(), u"文字変換"_s);
    QVERIFY(ReplaceSet->alpha_no->isChecked() && ReplaceSet->unit_no->isChecked()
            && ReplaceSet->unit_user_no->isChecked());
    QCOMPARE(ReplaceSet->unit_kigou->text(), u"特殊文字へ(&R)"_s);
    ReplaceSet->Button1->click();
    QVERIFY(WordChangeList->isVisible());
}

void TestReplaceSet::wholeRollInOneUndoStep()
{
    const QString text = u"1,000 ｶﾞｲﾄﾞ\n<-XIV"_s;
    Form1->RichEdit1->setPlainText(text);
    const int steps = Form1->history().ring().undoSteps();
    ReplaceSet->num_2b->setChecked(true);
    ReplaceSet->kigou_2b->setChecked(true);
    ReplaceSet->kata_2b->setChecked(true);
    ReplaceSet->rep_run->click();
    QCOMPARE(roll(), u"１，０００ ガイド\n＜－ⅩⅣ"_s);
    QCOMPARE(Form1->statusText(), u"文字変換が完了しました。"_s);
    QCOMPARE(Form1->history().ring().undoSteps(), steps + 1);
    QVERIFY(m_prompter.asked().isEmpty());
    Form1->findChild<QAction *>(u"Undo1"_s)->trigger();
    QCOMPARE(roll(), text);
}

void TestReplaceSet::selectionOnly()
{
    Form1->RichEdit1->setPlainText(u"abc abc abc"_s);
    select(4, 7);
    ReplaceSet->alpha_2b->setChecked(true);
    ReplaceSet->unit_user_fwd->setChecked(true);
    WordChangeList->setRows({{u"ｂ"_s, u"びー"_s}});
    ReplaceSet->rep_run->click();
    QCOMPARE(roll(), u"abc ａびーｃ abc"_s);
    // The numbers come back, now over other characters.
    QCOMPARE(Form1->RichEdit1->textCursor().selectionStart(), 4);
    QCOMPARE(Form1->RichEdit1->textCursor().selectionEnd(), 7);
}

void TestReplaceSet::userRowsFromTheListWindow()
{
    Form1->RichEdit1->setPlainText(u"株式会社ABC"_s);
    WordChangeList->setRows({{u"株式会社"_s, u"（株）"_s}, {u"ABC"_s, QString()}});
    ReplaceSet->unit_user_fwd->setChecked(true);
    ReplaceSet->rep_run->click();
    QCOMPARE(roll(), u"（株）"_s);
    ReplaceSet->unit_user_rev->setChecked(true);
    ReplaceSet->rep_run->click();
    QCOMPARE(roll(), u"株式会社"_s);
}

void TestReplaceSet::saveAndLoadTheList()
{
    QTemporaryDir dir;
    WordChangeList->setRows({{u"1+1"_s, u"2=二"_s}, {u" 前"_s, u"後 "_s}});
    m_prompter.answer(dir.filePath(u"list"_s));
    WordChangeList->findChild<QAction *>(u"S1"_s)->trigger();
    QCOMPARE(m_prompter.asked().last().kind, PromptRecord::SaveFile);
    const QString saved = dir.filePath(u"list.txt"_s); // the default extension
    QCOMPARE(ProfileFile(saved).readString(u"WordChangeList"_s, u"Word_00000"_s, QString()), u"1+1=2=二"_s);

    WordChangeList->setRows({});
    m_prompter.answer(QString()); // cancelled: nothing happens
    WordChangeList->findChild<QAction *>(u"O1"_s)->trigger();
    QCOMPARE(WordChangeList->WordList->rowCount(), 0);
    m_prompter.answer(saved);
    WordChangeList->findChild<QAction *>(u"O1"_s)->trigger();
    const QList<ConversionRow> expected{{u"1+1"_s, u"2=二"_s}, {u" 前"_s, u"後 "_s}};
    QCOMPARE(WordChangeList->rows(), expected);
    QCOMPARE(m_prompter.asked().size(), 3);
}

void TestReplaceSet::loadRefusesAnUnreadableFile()
{
    WordChangeList->setRows({{u"a"_s, u"b"_s}});
    m_prompter.answer(u"/nonexistent/list.ini"_s);
    WordChangeList->O1Click();
    QCOMPARE(m_prompter.asked().last().caption, u"ユーザ変換リスト"_s);
    QCOMPARE(m_prompter.asked().last().icon, MsgIcon::Error);
    QCOMPARE(WordChangeList->rows().size(), 1);
    QFile log(errorLogPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("/nonexistent/list.ini"));
}

void TestReplaceSet::loadKeepsTheRowsWithoutAList_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("loaded"); // -1: refused, the row kept
    QTest::newRow("other sections only") << QByteArray("[check]\r\nWidth=640\r\n") << -1;
    QTest::newRow("section without a count") << QByteArray("[WordChangeList]\r\nWord_00000=a=b\r\n") << -1;
    QTest::newRow("binary") << QByteArray("\0\x01\x02\xff\xfe[x", 7) << -1;
    QTest::newRow("empty list") << QByteArray("[WordChangeList]\r\nWordTotal=0\r\n") << 0;
    QTest::newRow("count past the entries") << QByteArray("[WordChangeList]\r\nWordTotal=99\r\nWord_00001=x=y\r\n") << 2;
}

void TestReplaceSet::loadKeepsTheRowsWithoutAList()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, loaded);
    QTemporaryDir dir;
    QFile file(dir.filePath(u"list.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    WordChangeList->setRows({{u"a"_s, u"b"_s}});
    m_prompter.answer(file.fileName());
    WordChangeList->O1Click();
    if (loaded < 0) {
        QCOMPARE(m_prompter.asked().last().kind, PromptRecord::Message);
        QCOMPARE(m_prompter.asked().last().caption, u"ユーザ変換リスト"_s);
        QVERIFY(m_prompter.asked().last().text.contains(file.fileName()));
        QCOMPARE(WordChangeList->rows(), (QList<ConversionRow>{{u"a"_s, u"b"_s}}));
    } else {
        QCOMPARE(m_prompter.asked().size(), 1); // the dialog only
        QCOMPARE(WordChangeList->rows().size(), loaded);
    }
}

void TestReplaceSet::downOnTheLastRowAddsARow()
{
    WordChangeList->setRows({{u"a"_s, u"b"_s}});
    WordChangeList->showTool();
    WordChangeList->WordList->setCurrentCell(0, 0);
    QTest::keyClick(WordChangeList->WordList, Qt::Key_Down);
    QCOMPARE(WordChangeList->WordList->rowCount(), 2);
    QCOMPARE(WordChangeList->WordList->currentRow(), 1);
    QTest::keyClick(WordChangeList->WordList, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(WordChangeList->WordList->rowCount(), 1);
    // The window says both, under the list.
    QStringList texts;
    for (const QLabel *label : WordChangeList->findChildren<QLabel *>())
        texts << label->text();
    QVERIFY(texts.contains(u"新しい行を追加する場合、最終行でカーソルキー（↓）を押してください。"_s));
    QVERIFY(texts.contains(u"行を削除する場合、その行で Ctrl+Delete を押してください。"_s));
}

// Saving adds ".txt"; the open dialog must list such a file, and a settings
// file (".ini") carrying the list too.
void TestReplaceSet::bothDialogsFindBothKindsOfFile()
{
    WordChangeList->setRows({{u"a"_s, u"b"_s}});
    WordChangeList->S1Click();
    WordChangeList->O1Click();
    QCOMPARE(m_prompter.asked().size(), 2);
    const QString saveFilter = m_prompter.asked().at(0).defaultText;
    const QString openFilter = m_prompter.asked().at(1).defaultText;
    QCOMPARE(openFilter, saveFilter);
    const QString first = openFilter.section(u";;"_s, 0, 0);
    QVERIFY2(first.contains(u"*.txt"_s) && first.contains(u"*.ini"_s), qPrintable(first));
}

void TestReplaceSet::keyWithAnEqualsSignIsRefused_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("refused");
    QTest::newRow("equals in the key would split it") << u"1+1=2"_s << true;
    QTest::newRow("equals at the key's end") << u"株式会社="_s << true;
    QTest::newRow("equals only in the value is kept") << u"1+1"_s << false;
}

void TestReplaceSet::keyWithAnEqualsSignIsRefused()
{
    QFETCH(QString, key);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.txt"_s);
    WordChangeList->setRows({{u"前"_s, u"後"_s}, {key, u"2=二"_s}});
    if (!refused)
        m_prompter.answer(path);
    WordChangeList->S1Click();
    if (!refused) {
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(ProfileFile(path).readString(u"WordChangeList"_s, u"Word_00001"_s, QString()), key + u"=2=二"_s);
        return;
    }
    QCOMPARE(m_prompter.asked().size(), 1); // told before a file is asked for
    const PromptRecord &told = m_prompter.asked().last();
    QCOMPARE(told.kind, PromptRecord::Message);
    QCOMPARE(told.caption, u"ユーザ変換リスト"_s);
    QCOMPARE(told.icon, MsgIcon::Warning);
    QVERIFY2(told.text.startsWith(u"2行目の変換（前）「%1」に「=」が含まれています。"_s.arg(key)), qPrintable(told.text));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(WordChangeList->rows().at(1).first, key);
    QCOMPARE(WordChangeList->WordList->currentRow(), 1);
}

// Typing in a cell and saving from the menu at once: the typed text is saved.
void TestReplaceSet::cellBeingEditedIsSaved()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.txt"_s);
    WordChangeList->setRows({{u"a"_s, u"b"_s}});
    WordChangeList->showTool();
    QVERIFY(QTest::qWaitForWindowExposed(WordChangeList));
    QTableWidget *table = WordChangeList->WordList;
    table->setCurrentCell(0, 1);
    table->editItem(table->item(0, 1));
    QTRY_VERIFY(QApplication::focusWidget() && table->viewport()->isAncestorOf(QApplication::focusWidget()));
    QWidget *editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, u"typed"_s);
    m_prompter.answer(path);
    WordChangeList->findChild<QAction *>(u"S1"_s)->trigger();
    QCOMPARE(ProfileFile(path).readString(u"WordChangeList"_s, u"Word_00000"_s, QString()), u"a=typed"_s);
    QCOMPARE(WordChangeList->rows(), (QList<ConversionRow>{{u"a"_s, u"typed"_s}}));
}

// Typed into a key cell, "1+1=2" would be split by the settings file at the
// end of the session: the cell keeps its text and the user is told.
void TestReplaceSet::typedKeyWithAnEqualsSignIsRefused()
{
    WordChangeList->setRows({{u"a"_s, u"b"_s}});
    WordChangeList->showTool();
    QVERIFY(QTest::qWaitForWindowExposed(WordChangeList));
    QTableWidget *table = WordChangeList->WordList;
    table->setCurrentCell(0, 0);
    table->editItem(table->item(0, 0));
    QTRY_VERIFY(QApplication::focusWidget() && table->viewport()->isAncestorOf(QApplication::focusWidget()));
    QWidget *editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, u"1+1=2"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(WordChangeList->rows(), (QList<ConversionRow>{{u"a"_s, u"b"_s}}));
    QTRY_COMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().caption, u"ユーザ変換リスト"_s);
    QCOMPARE(m_prompter.asked().first().icon, MsgIcon::Warning);
    QVERIFY2(m_prompter.asked().first().text.startsWith(u"1行目の変換（前）「1+1=2」に「=」が含まれています。"_s),
             qPrintable(m_prompter.asked().first().text));
}

QTEST_MAIN(TestReplaceSet)
#include "tst_replaceset.moc"
