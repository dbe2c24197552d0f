// The join window against a bare roll: list editing, drops, the join as undo
// steps, its messages and the error log entry of a file it could not read.
#include "support/TestSupport.h"
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "join/TJoinFile.h"
#include "platform/Cp932.h"
#include "platform/ErrorNotifier.h"
#include "platform/ScriptedPrompter.h"
#include "support/PlainRoll.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

class TestJoinWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void idleBarIsEmptyNotBusy();
    void listEditing_data();
    void listEditing();
    void dropAppendsInOrder();
    void addButton();
    void joinTwoFiles();
    void unreadableFileIsNamedAndLogged();
    void emptyListLeavesTheHeader();
    void oneUndoTakesBackTheJoin();

private:
    QString write(const QString &name, const QByteArray &bytes) { return writeTestFile(m_dir.filePath(name), bytes); }
    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    PlainRoll *m_roll = nullptr;
    TJoinFile *m_window = nullptr;
};

void TestJoinWindow::init()
{
    Prompter::install(&m_prompter);
    m_prompter.clear();
    setErrorLogFolder(m_dir.path());
    QFile::remove(errorLogPath());
    m_roll = new PlainRoll(u"前の\nロール\n"_s);
    m_window = new TJoinFile(*m_roll, [] { return QString(); });
}

void TestJoinWindow::cleanup()
{
    delete m_window;
    delete m_roll;
    setErrorLogFolder(QString());
}

// A bar whose range is 0 to 0 animates as busy: waiting, it is empty; after
// a join, even of an empty list, full.
void TestJoinWindow::idleBarIsEmptyNotBusy()
{
    QCOMPARE(m_window->StatusText->text(), u"処理待ち"_s);
    QVERIFY(m_window->StatusBar->maximum() > m_window->StatusBar->minimum());
    QCOMPARE(m_window->StatusBar->value(), m_window->StatusBar->minimum());
    QVERIFY(!m_window->StatusBar->isTextVisible());
    m_window->Button1->click();
    QVERIFY(m_window->StatusBar->maximum() > m_window->StatusBar->minimum());
    QCOMPARE(m_window->StatusBar->value(), m_window->StatusBar->maximum());
}

void TestJoinWindow::listEditing_data()
{
    QTest::addColumn<int>("selected"); // -1: none
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("up moves the entry") << 1 << u"ListUp"_s << u"b a c"_s << 0;
    QTest::newRow("up on the first") << 0 << u"ListUp"_s << u"a b c"_s << 0;
    QTest::newRow("down moves the entry") << 1 << u"ListDown"_s << u"a c b"_s << 2;
    QTest::newRow("down on the last") << 2 << u"ListDown"_s << u"a b c"_s << 2;
    QTest::newRow("down with none") << -1 << u"ListDown"_s << u"a b c"_s << -1;
    QTest::newRow("up with none") << -1 << u"ListUp"_s << u"a b c"_s << -1;
    QTest::newRow("delete") << 1 << u"Del"_s << u"a c"_s << -1;
    QTest::newRow("delete with none") << -1 << u"Del"_s << u"a b c"_s << -1;
}

void TestJoinWindow::listEditing()
{
    QFETCH(int, selected);
    QFETCH(QString, button);
    QFETCH(QString, after);
    QFETCH(int, selectedAfter);
    m_window->setFiles({u"a"_s, u"b"_s, u"c"_s});
    m_window->FileList->setCurrentRow(selected);
    m_window->findChild<QPushButton *>(button)->click();
    QCOMPARE(m_window->files().join(u' '), after);
    const QList<QListWidgetItem *> chosen = m_window->FileList->selectedItems();
    QCOMPARE(chosen.isEmpty() ? -1 : m_window->FileList->row(chosen.first()), selectedAfter);
}

void TestJoinWindow::dropAppendsInOrder()
{
    m_window->setFiles({u"/x/first.txt"_s});
    m_window->show();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(u"/r/3.txt"_s), QUrl::fromLocalFile(u"/r/1.txt"_s),
                  QUrl::fromLocalFile(u"/r/2.txt"_s)});
    QWidget *target = m_window->FileList->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCOMPARE(m_window->files(),
             (QStringList{u"/x/first.txt"_s, u"/r/3.txt"_s, u"/r/1.txt"_s, u"/r/2.txt"_s}));
}

void TestJoinWindow::addButton()
{
    m_prompter.answer(QString()); // cancelled
    m_window->Button2->click();
    QVERIFY(m_window->files().isEmpty());
    QCOMPARE(m_prompter.asked().last().kind, PromptRecord::OpenFile);
    m_prompter.answer(m_dir.filePath(u"part"_s)); // typed without an extension
    m_window->Button2->click();
    QCOMPARE(m_window->files(), QStringList{m_dir.filePath(u"part.txt"_s)});
}

void TestJoinWindow::joinTwoFiles()
{
    const QString a = write(u"a.txt"_s, cp932Encode(u"あ\r\nい\r\n"_s));
    const QString b = write(u"b.txt"_s, cp932Encode(u"う\r\n"_s));
    m_window->setFiles({a, b});
    m_window->Button1->click();
    const QStringList lines = m_roll->lines();
    QVERIFY(QRegularExpression(u"^<- ファイル結合実施  \\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$"_s)
                .match(lines.first()).hasMatch());
    QCOMPARE(lines.mid(1), (QStringList{QString(), QString(), u"<-●a.txt"_s, u"あ"_s, u"い"_s,
                                        u"<-●b.txt"_s, u"う"_s}));
    QVERIFY(m_roll->text.endsWith(u"う\n"_s));
    // Emptied, each file, the result: one command, one undo step.
    QCOMPARE(m_roll->undoSteps, 1);
    QCOMPARE(m_prompter.asked().size(), 2);
    QCOMPARE(m_prompter.asked().first().text, u"結合を開始します。\r\n(現在編集中のデータは消えます）"_s);
    QCOMPARE(m_prompter.asked().first().caption, u"結合"_s);
    QCOMPARE(m_prompter.asked().first().icon, MsgIcon::Information);
    QCOMPARE(m_prompter.asked().last().text, u"結合を完了しました。"_s);
    QCOMPARE(m_prompter.asked().last().icon, MsgIcon::Information);
    QCOMPARE(m_window->StatusText->text(), u"終了"_s);
    QCOMPARE(m_window->StatusBar->value(), 2);
    QVERIFY(m_window->Button1->isEnabled());
    QVERIFY(!QFile::exists(errorLogPath()));
}

void TestJoinWindow::unreadableFileIsNamedAndLogged()
{
    const QString a = write(u"a.txt"_s, "A\r\n");
    const QString missing = m_dir.filePath(u"第2部.txt"_s);
    const QString c = write(u"c.txt"_s, "C\r\n");
    m_window->setFiles({a, missing, c});
    m_window->Button1->click();
    QCOMPARE(m_roll->lines().mid(3), (QStringList{u"<-●a.txt"_s, u"A"_s, u"<-●第2部.txt"_s, u"<-●c.txt"_s, u"C"_s}));
    const PromptRecord last = m_prompter.asked().last();
    QVERIFY(last.text.startsWith(u"結合を完了しました。\r\n\r\n【注意】結合できなかったファイルがあります。\r\n・"_s
                                 + missing + u"："_s));
    QCOMPARE(last.caption, u"結合"_s);
    QCOMPARE(last.icon, MsgIcon::Warning);
    QFile log(errorLogPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString logged = cp932Decode(log.readAll());
    QVERIFY2(logged.contains(missing), qPrintable(logged));
}

void TestJoinWindow::emptyListLeavesTheHeader()
{
    m_window->Button1->click();
    QCOMPARE(m_roll->lines().size(), 3);
    QVERIFY(m_roll->lines().first().startsWith(u"<- ファイル結合実施  "_s));
    QCOMPARE(m_prompter.asked().last().text, u"結合を完了しました。"_s);
    QCOMPARE(m_window->StatusText->text(), u"終了"_s);
}

// On the main window: one Undo brings back the roll held before the join,
// and Redo the joined roll.
void TestJoinWindow::oneUndoTakesBackTheJoin()
{
    const QString a = write(u"a.txt"_s, "A1\r\nA2\r\n");
    const QString b = write(u"b.txt"_s, "B\r\n");
    createAppWindows();
    Form1->show();
    QTRY_VERIFY(!Form1->Timer1->isActive());
    m_prompter.clear();
    Form1->RichEdit1->setPlainText(u"元のロール"_s);
    Form1->RichEdit1Change();
    for (const QString &command : {u"N12"_s, u"Joint1"_s}) {
        JoinFile->hide();
        Form1->findChild<QAction *>(command)->trigger();
        QVERIFY2(JoinFile->isVisible(), qPrintable(command));
    }
    JoinFile->setFiles({a, b});
    JoinFile->Button1->click();
    const QString joined = Form1->RichEdit1->toPlainText();
    QVERIFY(joined.endsWith(u"<-●a.txt\nA1\nA2\n<-●b.txt\nB\n"_s));
    Form1->Undo1Click();
    QCOMPARE(Form1->RichEdit1->toPlainText(), u"元のロール"_s);
    Form1->Redo1Click();
    QCOMPARE(Form1->RichEdit1->toPlainText(), joined);
    destroyAppWindows();
}

QTEST_MAIN(TestJoinWindow)
#include "tst_joinwindow.moc"
