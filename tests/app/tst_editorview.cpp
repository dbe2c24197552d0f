// The editor view and the editing commands of the main window, driven
// headless through the real handlers: colours, tag-jump list, undo/redo,
// find/replace and jump.
#include "history/EditHistory.h"
#include "app/FindDialogs.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "roll/RollHighlighter.h"
#include "platform/Cp932.h"
#include "platform/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleHints>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Background and text colour of one character as the editor draws it.
struct Colours {
    QColor background = Qt::white;
    QColor text = Qt::black;
    bool operator==(const Colours &) const = default;
};

Colours colourAt(const QTextBlock &block, int column)
{
    Colours c;
    for (const QTextLayout::FormatRange &r : block.layout()->formats()) {
        if (column >= r.start && column < r.start + r.length) {
            if (r.format.hasProperty(QTextFormat::BackgroundBrush))
                c.background = r.format.background().color();
            if (r.format.hasProperty(QTextFormat::ForegroundBrush))
                c.text = r.format.foreground().color();
        }
    }
    return c;
}

const Colours kSilver{QColor(192, 192, 192), Qt::black};
const Colours kWhite{Qt::white, Qt::black};
const Colours kSpace{QColor(166, 202, 240), Qt::white};

QString numbered(int lines)
{
    QString roll;
    for (int i = 1; i <= lines; ++i)
        roll += u"line %1\n"_s.arg(i);
    return roll;
}

// 300 short lines and, last, one far wider than the editor.
QString wideRoll()
{
    QString roll;
    for (int i = 1; i <= 300; ++i)
        roll += u"%1 行です。ab\n"_s.arg(i);
    return roll + QString(300, u'あ') + u"ab\n"_s;
}

} // namespace

class TestEditorView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void caretIsSteadyWhileAHugeLineIsInView_data();
    void caretIsSteadyWhileAHugeLineIsInView();

    void colourAndTags_data();
    void colourAndTags();
    void tagsFollowLinesAddedAndRemoved();
    void typingUpdatesCaretLine();
    void noRecolorFreezesColoursOnly();
    void updatesWaitWhileBusyAndDropWhileSuppressed();
    void tagJumpScrollsLineToTop();
    void undoRedoCommands_data();
    void undoRedoCommands();
    void commentKeysKeepTheLines();
    void pastedBreaksEndLines_data();
    void pastedBreaksEndLines();
    void typingUndoRedo();
    void undoPutsCaretAtChange();
    void openShowsTheNewRollFromItsStart();
    void openingColoursAsAFullRecolour_data();
    void openingColoursAsAFullRecolour();
    void longLineSpacesAreDrawnWithoutFormats_data();
    void longLineSpacesAreDrawnWithoutFormats();
    void bulkChangesKeepTheView_data();
    void bulkChangesKeepTheView();
    void findAndFindNext();
    void replaceButton();
    void jump_data();
    void jump();

private:
    void setRoll(const QString &text);
    void settle();
    QStringList tags() const;
    QTextBlock line(int n) const { return m_form->RichEdit1->document()->findBlockByNumber(n); }
    void select(int from, int to);
    QString text() const { return m_form->RichEdit1->toPlainText(); }

    ScriptedPrompter m_prompter;
    TForm1 *m_form = nullptr;
};

void TestEditorView::initTestCase()
{
    Prompter::install(&m_prompter);
}

void TestEditorView::init()
{
    m_prompter.clear();
    m_form = new TForm1;
    m_form->show(); // the first show starts recording
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestEditorView::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestEditorView::setRoll(const QString &text)
{
    m_form->RichEdit1->setPlainText(text);
    m_form->ForceRecolorClick(); // as loading a document does
    settle();
}

void TestEditorView::settle()
{
    QTRY_VERIFY(!m_form->RE1_Draw->isActive() && !m_form->RE1_Draw2->isActive());
}

QStringList TestEditorView::tags() const
{
    QStringList out;
    for (int i = 0; i < m_form->QueJump->count(); ++i)
        out << m_form->QueJump->itemText(i);
    return out;
}

void TestEditorView::select(int from, int to)
{
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    m_form->RichEdit1->setTextCursor(cursor);
}

void TestEditorView::colourAndTags_data()
{
    QTest::addColumn<QList<bool>>("boxes");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("silverLines");
    QTest::newRow("simple (default): every comment")
        << QList<bool>{true, false, false, false}
        << QStringList{u"00001 ：　メモ"_s, u"00003 ：　◆第二部"_s, u"00004 ：　●説明"_s, u"00005 ：　■交代"_s}
        << QList<int>{0, 2, 3, 4};
    QTest::newRow("jump only") << QList<bool>{false, true, false, false}
                               << QStringList{u"00003 ：　◆第二部"_s} << QList<int>{2};
    QTest::newRow("summary and change") << QList<bool>{false, false, true, true}
                                        << QStringList{u"00004 ：　●説明"_s, u"00005 ：　■交代"_s}
                                        << QList<int>{3, 4};
    QTest::newRow("none") << QList<bool>{false, false, false, false} << QStringList() << QList<int>();
}

void TestEditorView::colourAndTags()
{
    QFETCH(QList<bool>, boxes);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, silverLines);
    setRoll(u"<-メモ\n田中／本日は　晴れ\n<-◆第二部\n<-●説明\n<-■交代\n <-メモ\n"_s);
    const QList<QCheckBox *> checks{m_form->Cmt1, m_form->Cmt2, m_form->Cmt3, m_form->Cmt4};
    for (int i = 0; i < 4; ++i)
        checks[i]->setChecked(boxes[i]); // each change recolours
    settle();
    QCOMPARE(tags(), expected);
    for (int n = 0; n < 6; ++n)
        QCOMPARE(colourAt(line(n), 1), silverLines.contains(n) ? kSilver : kWhite);
    // The ideographic space, on a caption line.
    QCOMPARE(colourAt(line(1), 6), kSpace);
    QCOMPARE(colourAt(line(1), 5), kWhite);
}

void TestEditorView::tagsFollowLinesAddedAndRemoved()
{
    setRoll(u"a\n<-◆一\nb\n<-◆二\n"_s);
    QCOMPARE(tags(), (QStringList{u"00002 ：　◆一"_s, u"00004 ：　◆二"_s}));
    // Lines inserted above the tags: the entries move at once, no recolour needed.
    QTextCursor cursor(m_form->RichEdit1->document());
    cursor.insertText(u"x\ny\n<-new\n"_s);
    QCOMPARE(tags(), (QStringList{u"00003 ：　new"_s, u"00005 ：　◆一"_s, u"00007 ：　◆二"_s}));
    // Lines removed, one of them a tag.
    select(int(text().indexOf(u"y")), int(text().indexOf(u"b")));
    m_form->RichEdit1->textCursor().removeSelectedText();
    QCOMPARE(text(), u"x\nb\n<-◆二\n"_s);
    QCOMPARE(tags(), (QStringList{u"00003 ：　◆二"_s}));
    // Undo puts the lines back, and the list with them.
    m_form->Undo1Click();
    QCOMPARE(tags(), (QStringList{u"00003 ：　new"_s, u"00005 ：　◆一"_s, u"00007 ：　◆二"_s}));
    settle();
    QCOMPARE(colourAt(line(4), 0), kSilver);
}

void TestEditorView::typingUpdatesCaretLine()
{
    setRoll(u"<-a\n\n<-b\n"_s);
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(4); // the empty line 2
    m_form->RichEdit1->setTextCursor(cursor);
    QTest::keyClicks(m_form->RichEdit1, u"<-"_s);
    settle();
    QCOMPARE(tags(), (QStringList{u"00001 ：　a"_s, u"00002 ：　"_s, u"00003 ：　b"_s}));
    QCOMPARE(colourAt(line(1), 0), kSilver);
    QTest::keyClicks(m_form->RichEdit1, u"x"_s);
    settle();
    QCOMPARE(tags().at(1), u"00002 ：　x"_s);
    // Deleting the "<" of a listed line removes exactly its entry.
    cursor.setPosition(4);
    m_form->RichEdit1->setTextCursor(cursor);
    QTest::keyClick(m_form->RichEdit1, Qt::Key_Delete);
    settle();
    QCOMPARE(tags(), (QStringList{u"00001 ：　a"_s, u"00003 ：　b"_s}));
    QCOMPARE(colourAt(line(1), 0), kWhite);
}

void TestEditorView::noRecolorFreezesColoursOnly()
{
    setRoll(u"<-a\n\n"_s);
    m_form->NoRecolor->trigger();
    QVERIFY(m_form->NoRecolor->isChecked());
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(4);
    m_form->RichEdit1->setTextCursor(cursor);
    QTest::keyClicks(m_form->RichEdit1, u"<-x"_s);
    m_form->RichEdit1->insertPlainText(u"　"_s); // as an input method commits it
    settle();
    QCOMPARE(tags(), (QStringList{u"00001 ：　a"_s, u"00002 ：　x　"_s}));
    QCOMPARE(colourAt(line(1), 0), kWhite); // colours stay
    QCOMPARE(colourAt(line(1), 3), kSpace); // the ideographic space is still marked
    m_form->ForceRecolorClick();
    settle();
    QCOMPARE(colourAt(line(1), 0), kWhite);
    m_form->NoRecolor->trigger(); // unchecked: the caret line is coloured again
    settle();
    QCOMPARE(colourAt(line(1), 0), kSilver);
}

void TestEditorView::updatesWaitWhileBusyAndDropWhileSuppressed()
{
    setRoll(u"<-a\n<-◆b\n"_s);
    m_form->Busy = true;
    m_form->Cmt1->setChecked(false);
    m_form->Cmt2->setChecked(true);
    QTest::qWait(50);
    QVERIFY(m_form->RE1_Draw->isActive()); // waiting, not dropped
    QCOMPARE(tags().size(), 2);
    m_form->Busy = false;
    settle();
    QCOMPARE(tags(), (QStringList{u"00002 ：　◆b"_s}));
    QCOMPARE(colourAt(line(0), 0), kWhite);

    m_form->RecolorSuppressed = true;
    m_form->Cmt1->setChecked(true);
    settle(); // dropped
    QCOMPARE(tags(), (QStringList{u"00002 ：　◆b"_s}));
    m_form->RecolorSuppressed = false;
    m_form->ForceRecolorClick();
    settle();
    QCOMPARE(tags().size(), 2);
    QCOMPARE(colourAt(line(0), 0), kSilver);
}

void TestEditorView::tagJumpScrollsLineToTop()
{
    setRoll(numbered(100) + u"<-◆here\n"_s + numbered(300) + u"<-◆last\n"_s);
    QCOMPARE(tags(), (QStringList{u"00101 ：　◆here"_s, u"00402 ：　◆last"_s}));
    const int caret = m_form->RichEdit1->textCursor().position();
    m_form->QueJump->setCurrentIndex(0);
    m_form->QueJumpSelect();
    QCOMPARE(m_form->RichEdit1->firstVisibleLine(), 100);
    QCOMPARE(m_form->RichEdit1->textCursor().position(), caret);
    // Near the end: as far as the editor scrolls.
    m_form->QueJump->setCurrentIndex(1);
    m_form->QueJumpSelect();
    QVERIFY(m_form->RichEdit1->firstVisibleLine() > 300);
    QVERIFY(m_form->RichEdit1->firstVisibleLine() <= 401);
}

void TestEditorView::undoRedoCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("after");
    QTest::newRow("paste") << u"paste"_s << u"abc\n"_s << 4 << 4 << u"abc\nXY"_s;
    QTest::newRow("cut") << u"cut"_s << u"abcdef"_s << 2 << 4 << u"abef"_s;
    QTest::newRow("delete") << u"delete"_s << u"abcdef"_s << 2 << 4 << u"abef"_s;
    QTest::newRow("replace all") << u"replaceAll"_s << u"あいあ\n"_s << 0 << 0 << u"ああいああ\n"_s;
    QTest::newRow("tag two whole lines") << u"tag"_s << u"abc\n<-◆x\n"_s << 0 << 9 << u"<-◆abc\n<-◆x\n"_s;
    // The commands mark whole lines and never add one.
    QTest::newRow("tag inside a line marks the whole line") << u"tag"_s << u"xxabcyy"_s << 2 << 5 << u"<-◆xxabcyy"_s;
    QTest::newRow("simple on a line selected without its break")
        << u"simple"_s << u"abc\ndef"_s << 0 << 3 << u"<-abc\ndef"_s;
    QTest::newRow("simple on parts of two lines") << u"simple"_s << u"abc\ndef\nghi"_s << 2 << 5
                                                  << u"<-abc\n<-def\nghi"_s;
    QTest::newRow("a line's break does not take in the next line")
        << u"simple"_s << u"abc\ndef"_s << 0 << 4 << u"<-abc\ndef"_s;
    QTest::newRow("uncomment on part of a line") << u"uncomment"_s << u"<-abc\ndef"_s << 3 << 4
                                                 << u"abc\ndef"_s;
    QTest::newRow("summary") << u"summary"_s << u"a\n"_s << 0 << 2 << u"<-●a\n"_s;
    QTest::newRow("change") << u"change"_s << u"a\n"_s << 0 << 2 << u"<-■a\n"_s;
    QTest::newRow("simple keeps a summary") << u"simple"_s << u"<-●y\nz\n"_s << 0 << 7 << u"<-●y\n<-z\n"_s;
    QTest::newRow("uncomment") << u"uncomment"_s << u"<-■交代\n<-◆<-●x\n"_s << 0 << 14 << u"交代\nx\n"_s;
    QTest::newRow("comment, empty selection") << u"tag"_s << u"abc"_s << 1 << 1 << u"abc"_s;
}

void TestEditorView::undoRedoCommands()
{
    QFETCH(QString, command);
    QFETCH(QString, before);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, after);
    setRoll(before);
    const int recorded = m_form->history().ring().current();
    select(from, to);
    QGuiApplication::clipboard()->setText(u"XY"_s);
    if (command == u"paste")
        m_form->Paste1Click();
    else if (command == u"cut")
        m_form->cuT1Click();
    else if (command == u"delete")
        m_form->Delete1Click();
    else if (command == u"replaceAll") {
        m_form->ReplaceDialog1->setFindText(u"あ"_s);
        m_form->ReplaceDialog1->setReplaceText(u"ああ"_s);
        Q_EMIT m_form->ReplaceDialog1->replaceAll();
        QCOMPARE(m_prompter.asked().size(), 1);
        QCOMPARE(m_prompter.asked().first().text, u"終了しました。"_s);
        QCOMPARE(m_prompter.asked().first().caption, u"置換"_s);
        QCOMPARE(m_prompter.asked().first().icon, MsgIcon::None);
        QVERIFY(!m_form->RecolorSuppressed);
        QCOMPARE(m_form->statusText(), QString());
    } else if (command == u"tag")
        m_form->Tag1Click();
    else if (command == u"summary")
        m_form->Summary1Click();
    else if (command == u"change")
        m_form->Change1Click();
    else if (command == u"simple")
        m_form->Standard2Click();
    else if (command == u"uncomment")
        m_form->Uncomment1Click();
    settle();
    QCOMPARE(text(), after);
    if (command == u"tag" || command == u"summary" || command == u"change" || command == u"simple"
        || command == u"uncomment") {
        QCOMPARE(text().count(u'\n'), before.count(u'\n'));
    }
    if (command == u"cut")
        QCOMPARE(QGuiApplication::clipboard()->text(), u"cd"_s);
    if (before == after) {
        QCOMPARE(m_form->history().ring().current(), recorded); // nothing recorded
        return;
    }
    // One undo takes the whole command back (never through an empty roll),
    // one redo brings it again.
    m_form->Undo1Click();
    QCOMPARE(text(), before);
    m_form->Redo1Click();
    QCOMPARE(text(), after);
    m_form->Redo1Click();
    QCOMPARE(text(), after);
}

void TestEditorView::commentKeysKeepTheLines()
{
    setRoll(u"abc\ndef"_s);
    m_form->activateWindow();
    m_form->RichEdit1->setFocus();
    QTest::keyClick(m_form->RichEdit1, Qt::Key_Home);
    QTest::keyClick(m_form->RichEdit1, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(m_form->RichEdit1, Qt::Key_Space, Qt::AltModifier);
    settle();
    QCOMPARE(text(), u"<-abc\ndef"_s);
    // The line stays selected: uncommenting at once takes the mark off again.
    QTest::keyClick(m_form->RichEdit1, Qt::Key_Space, Qt::ControlModifier);
    settle();
    QCOMPARE(text(), u"abc\ndef"_s);
    m_form->Undo1Click();
    QCOMPARE(text(), u"<-abc\ndef"_s);
}

void TestEditorView::pastedBreaksEndLines_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("drop"); // dropped onto the editor instead of pasted
    QTest::addColumn<QString>("roll");
    QTest::newRow("line separator") << u"a\u2028b"_s << false << u"a\nb"_s;
    QTest::newRow("paragraph separator") << u"a\u2029b"_s << false << u"a\nb"_s;
    QTest::newRow("next line (NEL)") << u"a\u0085b"_s << false << u"a\nb"_s;
    QTest::newRow("lone CR") << u"a\rb"_s << false << u"a\nb"_s;
    QTest::newRow("CR LF is one break") << u"a\r\nb\r\n"_s << false << u"a\nb\n"_s;
    QTest::newRow("dropped line separator") << u"a\u2028b\u0085c"_s << true << u"a\nb\nc"_s;
}

void TestEditorView::pastedBreaksEndLines()
{
    QFETCH(QString, pasted);
    QFETCH(bool, drop);
    QFETCH(QString, roll);
    setRoll(QString());
    if (drop) {
        QMimeData mime;
        mime.setText(pasted);
        QWidget *target = m_form->RichEdit1->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        QVERIFY(dropped.isAccepted());
    } else {
        QGuiApplication::clipboard()->setText(pasted);
        m_form->Paste1Click();
    }
    settle();
    QCOMPARE(text(), roll);
    // One numbered line per roll line: no line holds a break of its own.
    QCOMPARE(m_form->RichEdit1->document()->blockCount(), int(roll.count(u'\n')) + 1);
}

void TestEditorView::typingUndoRedo()
{
    QTest::keyClicks(m_form->RichEdit1, u"abc"_s);
    for (const QString &expected : {u"ab"_s, u"a"_s, QString(), QString()}) {
        m_form->Undo1Click();
        QCOMPARE(text(), expected);
    }
    for (const QString &expected : {u"a"_s, u"ab"_s, u"abc"_s, u"abc"_s}) {
        m_form->Redo1Click();
        QCOMPARE(text(), expected);
    }
    m_form->Undo1Click();
    QTest::keyClicks(m_form->RichEdit1, u"x"_s);
    QCOMPARE(text(), u"abx"_s);
    m_form->Redo1Click();
    QCOMPARE(text(), u"abx"_s);
    // Cut with an empty selection puts an empty text on the clipboard.
    QGuiApplication::clipboard()->setText(u"old"_s);
    m_form->cuT1Click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(text(), u"abx"_s);
}

void TestEditorView::undoPutsCaretAtChange()
{
    setRoll(numbered(400));
    const int at = line(250).position() + 3;
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(at);
    m_form->RichEdit1->setTextCursor(cursor);
    m_form->RichEdit1->scrollToLine(240);
    QTest::keyClicks(m_form->RichEdit1, u"zz"_s);
    m_form->RichEdit1->scrollToLine(0);
    cursor.setPosition(0);
    m_form->RichEdit1->setTextCursor(cursor);
    m_form->Undo1Click();
    QCOMPARE(m_form->RichEdit1->textCursor().position(), at + 1);
    QCOMPARE(m_form->RichEdit1->firstVisibleLine(), 240);
    m_form->Redo1Click();
    QCOMPARE(m_form->RichEdit1->textCursor().position(), at + 2);
    QCOMPARE(line(250).text(), u"linzze 251"_s);
}

void TestEditorView::openShowsTheNewRollFromItsStart()
{
    setRoll(wideRoll());
    RollEditor *editor = m_form->RichEdit1;
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(int(wideRoll().size()) - 1); // end of the wide line
    editor->setTextCursor(cursor);
    m_form->updateCaretStatus();
    QVERIFY(editor->horizontalScrollBar()->value() > 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"next.txt"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("abc\r\nde\r\n");
    file.close();
    QVERIFY(m_form->LoadDocument(path));
    QCOMPARE(text(), u"abc\nde\n"_s);
    QCOMPARE(m_form->statusText(), u"1行 0文字相当 (半角0文字目) // トータル 9Bytes"_s);
    QCOMPARE(editor->firstVisibleLine(), 0);
    QCOMPARE(editor->horizontalScrollBar()->value(), 0);
}

void TestEditorView::openingColoursAsAFullRecolour_data()
{
    QTest::addColumn<bool>("rewrite");
    QTest::newRow("a roll opened") << false;
    QTest::newRow("a roll rewritten whole by a command") << true;
}

// Opening, and a command that rewrites the whole roll, colour only the lines
// that need colour; what shows must be what a full recolour of the same text
// gives, the colouring must leave the undo history alone, and typing
// afterwards must colour on.
void TestEditorView::openingColoursAsAFullRecolour()
{
    QFETCH(bool, rewrite);
    const QString roll = u"<-メモ\n田中／本日は　晴れ\n<-◆第二部　　\n\n　\nabc\n <-x\n<-●説明"_s;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"roll.txt"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(cp932Encode(QString(roll).replace(u"\n"_s, u"\r\n"_s)));
    file.close();
    const auto allColours = [this] {
        QList<QList<Colours>> colours;
        for (QTextBlock b = m_form->RichEdit1->document()->begin(); b.isValid(); b = b.next()) {
            colours.append(QList<Colours>());
            for (int column = 0; column < b.length(); ++column)
                colours.last().append(colourAt(b, column));
        }
        return colours;
    };
    const auto load = [&] {
        QVERIFY(m_form->LoadDocument(path));
        settle();
        if (rewrite) {
            m_form->AdjustbyTalker1Click(); // breaks after "／": two lines more
            settle();
        }
    };
    load();
    const QString shown = text();
    QCOMPARE(shown.count(u'\n'), roll.count(u'\n') + (rewrite ? 2 : 0));
    const QList<QList<Colours>> coloured = allColours();
    if (rewrite) {
        m_form->Undo1Click(); // one step back to the roll as opened
        QCOMPARE(text(), roll);
    }
    setRoll(shown);
    QCOMPARE(coloured, allColours());

    load();
    int abc = 0;
    while (line(abc).isValid() && line(abc).text() != u"abc"_s)
        ++abc;
    QCOMPARE(line(abc + 1).text(), u" <-x"_s);
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(line(abc).position());
    m_form->RichEdit1->setTextCursor(cursor);
    QTest::keyClicks(m_form->RichEdit1, u"<-"_s);
    settle();
    QCOMPARE(colourAt(line(abc), 3), kSilver);
    QCOMPARE(colourAt(line(abc + 1), 3), kWhite);
    QCOMPARE(colourAt(line(abc + 2), 3), kSilver);
}

void TestEditorView::bulkChangesKeepTheView_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("replace all") << u"replaceAll"_s;
    QTest::newRow("reshape") << u"reshape"_s;
}

// A command that rewrites lines down to the wide last one leaves the view on
// the lines it showed, at their left edge, and the caret on its line; undo
// brings the view back as it was, not near the end of the roll.
void TestEditorView::bulkChangesKeepTheView()
{
    QFETCH(QString, command);
    setRoll(wideRoll());
    RollEditor *editor = m_form->RichEdit1;
    const auto sideways = [editor] { return editor->horizontalScrollBar()->value(); };
    editor->scrollToLine(100);
    QTextCursor cursor(line(105));
    cursor.setPosition(cursor.position() + 2);
    editor->setTextCursor(cursor);
    editor->scrollToLine(100);
    QCOMPARE(editor->firstVisibleLine(), 100);
    if (command == u"replaceAll") {
        m_form->ReplaceDialog1->setFindText(u"ab"_s);
        m_form->ReplaceDialog1->setReplaceText(u"XYZ"_s);
        Q_EMIT m_form->ReplaceDialog1->replaceAll();
    } else {
        m_prompter.answer(MsgResult::Yes);
        m_form->AdjustbyEnter1Click();
    }
    settle();
    QVERIFY(text() != wideRoll());
    QCOMPARE(editor->firstVisibleLine(), 100);
    QCOMPARE(sideways(), 0);
    QCOMPARE(editor->textCursor().blockNumber(), 105);
    editor->ensureCursorVisible(); // as the next key does
    QCOMPARE(editor->firstVisibleLine(), 100);
    QCOMPARE(sideways(), 0);

    editor->scrollToLine(120);
    m_form->Undo1Click();
    QCOMPARE(text(), wideRoll());
    QCOMPARE(editor->firstVisibleLine(), 100);
    QCOMPARE(sideways(), 0);
    const int caretLine = editor->textCursor().blockNumber();
    QVERIFY2(caretLine >= 100 && caretLine <= editor->lastVisibleLine(), qPrintable(QString::number(caretLine)));
    QVERIFY(m_form->statusText().endsWith(u"トータル %1Bytes"_s.arg(wideRoll().size() + 301)));
}

void TestEditorView::findAndFindNext()
{
    setRoll(u"abc\nxabc\nabc\n"_s);
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(7); // the caret is not where the search starts
    m_form->RichEdit1->setTextCursor(cursor);
    m_form->SearchClick();
    QVERIFY(m_form->FindDialog1->isVisible());
    m_form->FindDialog1->setFindText(u"abc"_s);
    Q_EMIT m_form->FindDialog1->find();
    QCOMPARE(m_form->RichEdit1->textCursor().selectionStart(), 0);
    QCOMPARE(m_form->RichEdit1->textCursor().selectedText(), u"abc"_s);
    m_form->Next1Click();
    QCOMPARE(m_form->RichEdit1->textCursor().selectionStart(), 5);
    m_form->Next1Click();
    QCOMPARE(m_form->RichEdit1->textCursor().selectionStart(), 9);
    QVERIFY(m_prompter.asked().isEmpty());
    m_form->Next1Click();
    QCOMPARE(m_prompter.asked().size(), 1);
    const PromptRecord &q = m_prompter.asked().first();
    QCOMPARE(q.text, u"該当文字列が見つかりません。"_s);
    QCOMPARE(q.caption, u"検索"_s);
    QCOMPARE(q.icon, MsgIcon::None);
    QCOMPARE(q.buttons, MsgButtons::Ok);
    QCOMPARE(m_form->RichEdit1->textCursor().selectionStart(), 9); // unchanged
}

void TestEditorView::replaceButton()
{
    setRoll(u"1\n2\n3\n4\nab cd ab\n"_s);
    m_form->Replace1Click();
    m_form->ReplaceDialog1->setFindText(u"ab"_s);
    m_form->ReplaceDialog1->setReplaceText(u"XYZ"_s);
    Q_EMIT m_form->ReplaceDialog1->replace();
    QCOMPARE(text(), u"1\n2\n3\n4\nXYZ cd ab\n"_s);
    Q_EMIT m_form->ReplaceDialog1->replace();
    QCOMPARE(text(), u"1\n2\n3\n4\nXYZ cd XYZ\n"_s);
    Q_EMIT m_form->ReplaceDialog1->replace();
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(m_prompter.asked().first().text, u"該当文字列が見つかりません。"_s);
    QCOMPARE(m_prompter.asked().first().caption, u"置換"_s);
    QVERIFY(!m_form->RecolorSuppressed);
    m_form->Undo1Click();
    QCOMPARE(text(), u"1\n2\n3\n4\nXYZ cd ab\n"_s);
}

void TestEditorView::jump_data()
{
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<int>("topLine");
    QTest::addColumn<bool>("error");
    QTest::newRow("line 50") << QVariant(u"50"_s) << 49 << false;
    QTest::newRow("cancelled: the default 1") << QVariant() << 0 << false;
    QTest::newRow("zero stays on top") << QVariant(u"0"_s) << 0 << false;
    QTest::newRow("not a number") << QVariant(u"abc"_s) << 20 << true;
}

void TestEditorView::jump()
{
    QFETCH(QVariant, answer);
    QFETCH(int, topLine);
    QFETCH(bool, error);
    setRoll(numbered(400));
    QTextCursor cursor = m_form->RichEdit1->textCursor();
    cursor.setPosition(line(30).position());
    m_form->RichEdit1->setTextCursor(cursor);
    m_form->RichEdit1->scrollToLine(20);
    m_prompter.answer(answer);
    m_form->Jump1Click();
    const PromptRecord &q = m_prompter.asked().first();
    QCOMPARE(q.kind, PromptRecord::InputBox);
    QCOMPARE(q.caption, u"ジャンプ"_s);
    QCOMPARE(q.text, u"何行目にジャンプしますか？"_s);
    QCOMPARE(q.defaultText, u"1"_s);
    QCOMPARE(m_form->RichEdit1->firstVisibleLine(), topLine);
    QCOMPARE(m_form->RichEdit1->textCursor().position(), error ? line(30).position() : 0);
    QCOMPARE(m_prompter.asked().size(), error ? 2 : 1);
    if (error) {
        const PromptRecord &e = m_prompter.asked().at(1);
        QCOMPARE(e.caption, u"ジャンプ"_s);
        QCOMPARE(e.icon, MsgIcon::Error);
        QVERIFY(e.text.contains(u"abc"_s));
    }
}

void TestEditorView::caretIsSteadyWhileAHugeLineIsInView_data()
{
    QTest::addColumn<QString>("roll");
    QTest::addColumn<bool>("steady");
    QTest::newRow("caption lines blink") << u"本日は\n晴天なり\n"_s << false;
    QTest::newRow("a huge line in view holds the caret still")
        << u"短い行\n"_s + u"あ"_s.repeated(RollEditor::kSteadyCaretLineLength + 1) + u"\n"_s << true;
}

void TestEditorView::caretIsSteadyWhileAHugeLineIsInView()
{
    QFETCH(QString, roll);
    QFETCH(bool, steady);
    QStyleHints *hints = QGuiApplication::styleHints();
    const int flash = hints->cursorFlashTime();
    QWidget window;
    auto *editor = new RollEditor(&window);
    auto *other = new QLineEdit(&window);
    other->move(0, 300);
    editor->resize(400, 280);
    editor->setPlainText(roll);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    editor->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QCOMPARE(editor->caretIsSteady(), steady);
    QCOMPARE(hints->cursorFlashTime(), steady ? 0 : flash);
    // Elsewhere carets blink as the application says.
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QVERIFY(!editor->caretIsSteady());
    QCOMPARE(hints->cursorFlashTime(), flash);
}

void TestEditorView::longLineSpacesAreDrawnWithoutFormats_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("a caption line: spaces by format") << 20;
    QTest::newRow("a long line: spaces drawn by the editor") << int(RollHighlighter::kSpacesByFormatUpTo) + 1;
}

// Both ways show the same sky-blue cell; only the long line carries no
// per-space format (one per space made typing in such a line quadratic).
void TestEditorView::longLineSpacesAreDrawnWithoutFormats()
{
    QFETCH(int, length);
    QString longLine = u"あ"_s.repeated(length);
    longLine[3] = QChar(0x3000);
    setRoll(u"短い行\n"_s + longLine + u"\n"_s);
    const QTextBlock block = line(1);
    QCOMPARE(block.layout()->formats().isEmpty(), length > RollHighlighter::kSpacesByFormatUpTo);
    RollEditor *editor = m_form->RichEdit1;
    const QImage image = editor->viewport()->grab().toImage();
    const QTextLine textLine = block.layout()->lineAt(0);
    const QPointF origin = editor->lineRect(block).topLeft();
    const qreal middle = (textLine.cursorToX(3) + textLine.cursorToX(4)) / 2;
    const QPoint inSpace = (origin + QPointF(middle, textLine.height() / 2)).toPoint() * image.devicePixelRatio();
    QCOMPARE(image.pixelColor(inSpace), RollHighlighter::spaceBackground());
}

QTEST_MAIN(TestEditorView)
#include "tst_editorview.moc"
