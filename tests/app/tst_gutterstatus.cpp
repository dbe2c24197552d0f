// The gutter, the character-limit bar, the caret bar, the editor font and the
// caret status text of the main window, driven headless through real input.
#include "app/LineNumberGutter.h"
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/Fonts.h"
#include "platform/ScriptedPrompter.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QString numbered(int lines)
{
    QStringList out;
    for (int i = 1; i <= lines; ++i)
        out << u"line %1"_s.arg(i);
    return out.join(u'\n');
}

QStringList numbers(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

} // namespace

class TestGutterStatus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void gutterFollowsInsertedAndDeletedLines();
    void gutterStaysLevelWhenScrolled_data();
    void gutterStaysLevelWhenScrolled();
    void gutterIgnoresClicksAndKeys();
    void slideMode_data();
    void slideMode();
    void statusAfterClick_data();
    void statusAfterClick();
    void statusWhileTyping();
    void jumpRefreshesStatus();
    void characterBar_data();
    void characterBar();
    void fontFollowsControls();
    void caretBarUnderCaretLine();

private:
    void setRoll(const QString &text);
    QStringList labels() const;
    void verifyLevel() const;
    void placeCaret(int line, int column);
    void type(const QString &text);
    QPoint inEditArea(const QPoint &viewportPoint) const;

    ScriptedPrompter m_prompter;
    TForm1 *m_form = nullptr;
    RollEditor *m_editor = nullptr;
};

void TestGutterStatus::initTestCase()
{
    Prompter::install(&m_prompter);
}

void TestGutterStatus::init()
{
    m_prompter.clear();
    m_form = new TForm1;
    m_editor = m_form->RichEdit1;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    // No start-up here (the tool windows are missing); apply what its
    // second stage applies.
    m_form->Timer1->stop();
    m_form->CharPosValueChange();
    m_form->SelFontSizeChange();
    m_editor->setFocus();
}

void TestGutterStatus::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestGutterStatus::setRoll(const QString &text)
{
    m_editor->setPlainText(text);
    QCoreApplication::processEvents();
}

QStringList TestGutterStatus::labels() const
{
    QStringList out;
    for (const LineNumberGutter::Row &row : m_form->LineNo->visibleRows())
        out << row.label;
    return out;
}

QPoint TestGutterStatus::inEditArea(const QPoint &viewportPoint) const
{
    return m_editor->viewport()->mapTo(m_form->CursorLine->parentWidget(), viewportPoint);
}

// Each label stands in the band of its roll line, as the editor places the
// caret on that line; the gutter ends with the roll's last line in view.
void TestGutterStatus::verifyLevel() const
{
    const QList<LineNumberGutter::Row> rows = m_form->LineNo->visibleRows();
    QVERIFY(!rows.isEmpty());
    QTextBlock block = m_editor->cursorForPosition(QPoint(1, 1)).block();
    for (const LineNumberGutter::Row &row : rows) {
        QVERIFY2(block.isValid(), qPrintable(u"label %1 for a line that does not exist"_s.arg(row.label)));
        const QRect caret = m_editor->cursorRect(QTextCursor(block));
        const QPoint top = m_form->LineNo->mapFrom(m_form->LineNo->parentWidget(), inEditArea(caret.topLeft()));
        QCOMPARE(row.rect.top(), top.y());
        QCOMPARE(row.rect.height(), caret.height());
        block = block.next();
    }
}

void TestGutterStatus::placeCaret(int line, int column)
{
    QTextCursor cursor(m_editor->document()->findBlockByNumber(line));
    cursor.setPosition(cursor.position() + column);
    QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, {}, m_editor->cursorRect(cursor).center());
}

// Typed as a keyboard delivers text, character by character.
void TestGutterStatus::type(const QString &text)
{
    for (const QChar c : text) {
        const int key = c == u'\n' ? int(Qt::Key_Return) : int(Qt::Key_unknown);
        const QString keyText = c == u'\n' ? u"\r"_s : QString(c);
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, keyText);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, keyText);
        QCoreApplication::sendEvent(m_editor, &down);
        QCoreApplication::sendEvent(m_editor, &up);
    }
}

void TestGutterStatus::gutterFollowsInsertedAndDeletedLines()
{
    setRoll(numbered(5));
    QCOMPARE(labels(), numbers(1, 5));

    placeCaret(1, 6); // end of "line 2"
    type(u"\nnew a\nnew b\nnew c"_s);
    QCOMPARE(m_editor->document()->blockCount(), 8);
    QCOMPARE(labels(), numbers(1, 8));
    verifyLevel();

    // Delete lines 2 to 7: the gutter ends with the roll, nothing below it.
    QTextCursor cursor(m_editor->document()->findBlockByNumber(1));
    cursor.setPosition(m_editor->document()->findBlockByNumber(7).position(), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
    QTest::keyClick(m_editor, Qt::Key_Delete);
    QCOMPARE(m_editor->toPlainText(), u"line 1\nline 5"_s);
    QCOMPARE(labels(), numbers(1, 2));
    verifyLevel();

    const QImage image = m_form->LineNo->grab().toImage();
    const QRgb background = m_form->LineNo->palette().color(QPalette::Midlight).rgb();
    const int below = m_form->LineNo->visibleRows().last().rect.bottom() + 1;
    QVERIFY(below < image.height() / 2);
    for (int y = below; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QVERIFY2(image.pixel(x, y) == background, qPrintable(u"ink at %1,%2"_s.arg(x).arg(y)));
    bool inked = false; // and the numbers themselves are drawn
    for (int y = 0; y < below && !inked; ++y)
        for (int x = 0; x < image.width() && !inked; ++x)
            inked = image.pixel(x, y) != background;
    QVERIFY(inked);
}

void TestGutterStatus::gutterStaysLevelWhenScrolled_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("scroll bar") << u"bar"_s;
    QTest::newRow("wheel") << u"wheel"_s;
    QTest::newRow("keyboard") << u"keys"_s;
    QTest::newRow("tag jump") << u"tag"_s;
}

void TestGutterStatus::gutterStaysLevelWhenScrolled()
{
    QFETCH(QString, how);
    QString roll = numbered(300);
    roll.replace(u"line 150\n"_s, u"<-mark\n"_s);
    setRoll(roll);
    if (how == u"bar") {
        m_editor->verticalScrollBar()->setValue(120);
    } else if (how == u"wheel") {
        QWheelEvent wheel(QPointF(20, 20), m_editor->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                          QPoint(0, -120 * 10), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_editor->viewport(), &wheel);
    } else if (how == u"keys") {
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(m_editor, Qt::Key_PageDown);
    } else {
        m_form->ForceRecolorClick();
        QTRY_COMPARE(m_form->QueJump->count(), 1);
        m_form->QueJump->setCurrentIndex(0);
        m_form->QueJumpSelect();
        QCOMPARE(m_editor->firstVisibleLine(), 149);
    }
    QCoreApplication::processEvents();
    const int first = m_editor->firstVisibleLine();
    QVERIFY(first > 0);
    QCOMPARE(labels().first(), QString::number(first + 1));
    verifyLevel();
}

void TestGutterStatus::gutterIgnoresClicksAndKeys()
{
    setRoll(numbered(20));
    placeCaret(3, 2);
    const int caret = m_editor->textCursor().position();
    QTest::mouseClick(m_form->LineNo, Qt::LeftButton, {}, QPoint(10, 30));
    QTest::mouseDClick(m_form->LineNo, Qt::LeftButton, {}, QPoint(10, 30));
    QTest::keyClick(m_form->LineNo, Qt::Key_Delete);
    QVERIFY(!m_form->LineNo->hasFocus());
    QCOMPARE(m_editor->textCursor().position(), caret);
    QCOMPARE(m_editor->toPlainText(), numbered(20));
}

void TestGutterStatus::slideMode_data()
{
    QTest::addColumn<QVariant>("answer"); // null: the box is cancelled
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("nextDefault");
    const QStringList oneRow{u"1-1"_s, u"----"_s, u"2-1"_s, u"----"_s, u"3-1"_s};
    QTest::newRow("3") << QVariant(u"3"_s)
                       << QStringList{u"1-1"_s, u"1-2"_s, u"1-3"_s, u"----"_s, u"2-1"_s, u"2-2"_s,
                                      u"2-3"_s, u"----"_s, u"3-1"_s}
                       << u"3"_s;
    QTest::newRow("0 shows one row") << QVariant(u"0"_s) << oneRow << u"10"_s;
    QTest::newRow("-2 shows one row") << QVariant(u"-2"_s) << oneRow << u"10"_s;
    const QStringList tenRows{u"1-1"_s, u"1-2"_s, u"1-3"_s, u"1-4"_s, u"1-5"_s};
    QTest::newRow("abc gives 10") << QVariant(u"abc"_s) << tenRows << u"10"_s;
    QTest::newRow("cancel keeps 10") << QVariant() << tenRows << u"10"_s;
}

void TestGutterStatus::slideMode()
{
    QFETCH(QVariant, answer);
    QFETCH(QStringList, expected);
    QFETCH(QString, nextDefault);
    setRoll(numbered(int(expected.size())));
    m_prompter.answer(answer);
    m_form->SlideCountMode->trigger();
    QVERIFY(m_form->SlideCountMode->isChecked());
    QCOMPARE(m_prompter.asked().size(), 1);
    const PromptRecord &asked = m_prompter.asked().first();
    QCOMPARE(asked.kind, PromptRecord::InputBox);
    QCOMPARE(asked.caption, u"行表示指示"_s);
    QCOMPARE(asked.text, u"スライド風ロールの１画面行数はいくつですか？"_s);
    QCOMPARE(asked.defaultText, u"10"_s);
    QCOMPARE(labels(), expected);
    verifyLevel();

    // Off: numbers again, nothing asked. On again: the last rows are offered.
    m_form->SlideCountMode->trigger();
    QCOMPARE(m_prompter.asked().size(), 1);
    QCOMPARE(labels(), numbers(1, int(expected.size())));
    m_form->SlideCountMode->trigger();
    QCOMPARE(m_prompter.asked().size(), 2);
    QCOMPARE(m_prompter.asked().last().defaultText, nextDefault);
}

void TestGutterStatus::statusAfterClick_data()
{
    QTest::addColumn<QString>("roll");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty roll") << QString() << 0 << 0 << u"1行 0文字相当 (半角0文字目) // トータル 0Bytes"_s;
    QTest::newRow("line break counts two") << u"あ\nい"_s << 1 << 0
                                           << u"2行 0文字相当 (半角0文字目) // トータル 4Bytes"_s;
    QTest::newRow("one half-width character") << u"ab"_s << 0 << 1
                                              << u"1行 0文字相当 (半角1文字目) // トータル 2Bytes"_s;
    QTest::newRow("after あいうabc") << u"x\nあいうabcえお\n"_s << 1 << 6
                                    << u"2行 4文字相当 (半角9文字目) // トータル 13Bytes"_s;
}

void TestGutterStatus::statusAfterClick()
{
    QFETCH(QString, roll);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, expected);
    setRoll(roll);
    placeCaret(line, column);
    QCOMPARE(m_editor->textCursor().positionInBlock(), column);
    QCOMPARE(m_form->statusText(), expected);
}

void TestGutterStatus::statusWhileTyping()
{
    setRoll(QString());
    type(u"あいうabc"_s);
    QCOMPARE(m_form->statusText(), u"1行 4文字相当 (半角9文字目) // トータル 6Bytes"_s);
    type(u"\n"_s);
    QCOMPARE(m_form->statusText(), u"2行 0文字相当 (半角0文字目) // トータル 8Bytes"_s);
    QTest::keyClick(m_editor, Qt::Key_Backspace);
    QTest::keyClick(m_editor, Qt::Key_Left);
    QCOMPARE(m_form->statusText(), u"1行 4文字相当 (半角8文字目) // トータル 6Bytes"_s);
}

void TestGutterStatus::jumpRefreshesStatus()
{
    setRoll(numbered(200));
    placeCaret(10, 3);
    m_prompter.answer(QVariant(u"30"_s));
    m_form->Jump1Click();
    QCOMPARE(m_editor->firstVisibleLine(), 29);
    QCOMPARE(m_form->statusText(), u"1行 0文字相当 (半角0文字目) // トータル %1Bytes"_s.arg(numbered(200).size() + 199));
}

void TestGutterStatus::characterBar_data()
{
    QTest::addColumn<int>("chars");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<bool>("noMojiLine");
    QTest::newRow("0: the left text edge") << 0 << 10 << false;
    QTest::newRow("10 full-width characters") << 10 << 10 << false;
    QTest::newRow("10 at 20 points (gutter wider)") << 10 << 20 << false;
    QTest::newRow("hidden at 0") << 0 << 10 << true;
    QTest::newRow("hidden at 25") << 25 << 10 << true;
}

void TestGutterStatus::characterBar()
{
    QFETCH(int, chars);
    QFETCH(int, fontSize);
    QFETCH(bool, noMojiLine);
    setRoll(QString(60, u'あ'));
    m_form->SelFontSize->setValue(fontSize);
    m_form->CharPosValue->setValue(chars);
    if (noMojiLine)
        m_form->NoMojiLine->trigger();
    QCOMPARE(m_form->CharPosSign->isVisible(), !noMojiLine);
    // The bar's left edge is where the caret after `chars` full-width characters stands.
    QTextCursor after(m_editor->document());
    after.setPosition(chars);
    QTextCursor start(m_editor->document());
    const int textLeft = inEditArea(m_editor->cursorRect(start).topLeft()).x();
    const int caretX = inEditArea(m_editor->cursorRect(after).topLeft()).x();
    QCOMPARE(m_form->CharPosSign->x() - textLeft, caretX - textLeft);
    QCOMPARE(m_form->CharPosSign->height(), m_editor->height());

    m_form->NoMojiLine->trigger();
    QCOMPARE(m_form->CharPosSign->isVisible(), noMojiLine);
}

void TestGutterStatus::fontFollowsControls()
{
    setRoll(numbered(40));
    // Before any face is chosen the gutter keeps the window's face.
    QCOMPARE(m_form->LineNo->font().family(), substituteFontFamily(u"ＭＳ Ｐゴシック"_s));
    QCOMPARE(m_form->LineNo->width(), 40);

    m_form->SelFontSize->setValue(20);
    QCOMPARE(m_form->LineNo->width(), 80);
    QCOMPARE(m_editor->font().pixelSize(), pixelsAt96Dpi(20));
    QCOMPARE(m_form->LineNo->font().pixelSize(), pixelsAt96Dpi(20));
    QCoreApplication::processEvents();
    verifyLevel();

    m_form->SelFontName->addItems(installedFontNames());
    m_form->SelFontName->setCurrentText(u"ＭＳ 明朝"_s);
    m_form->SelFontNameSelect();
    QCOMPARE(m_editor->font().family(), substituteFontFamily(u"ＭＳ 明朝"_s));
    QCOMPARE(m_form->LineNo->font().family(), substituteFontFamily(u"ＭＳ 明朝"_s));
    QCOMPARE(m_editor->font().pixelSize(), pixelsAt96Dpi(20));
    QCoreApplication::processEvents();
    verifyLevel();
}

void TestGutterStatus::caretBarUnderCaretLine()
{
    setRoll(numbered(100));
    QVERIFY(!m_form->CursorLine->isVisible());
    m_form->CaretLine1->trigger();
    QVERIFY(m_form->CursorLine->isVisible());

    const auto lineBottom = [this](int line) {
        const QRect caret = m_editor->cursorRect(QTextCursor(m_editor->document()->findBlockByNumber(line)));
        return inEditArea(caret.bottomLeft()).y() + 1;
    };
    placeCaret(3, 2);
    QCOMPARE(m_form->CursorLine->y(), lineBottom(3));
    QCOMPARE(m_form->CursorLine->geometry().left(), m_editor->geometry().left());
    QCOMPARE(m_form->CursorLine->width(), m_editor->width());
    QCOMPARE(m_form->CursorLine->height(), 4);

    QTest::keyClick(m_editor, Qt::Key_Down);
    QCOMPARE(m_form->CursorLine->y(), lineBottom(4));
    // Scrolling carries the bar along with its line.
    m_editor->verticalScrollBar()->setValue(2);
    QCOMPARE(m_form->CursorLine->y(), lineBottom(4));

    m_form->CaretLine1->trigger();
    QVERIFY(!m_form->CursorLine->isVisible());
}

QTEST_MAIN(TestGutterStatus)
#include "tst_gutterstatus.moc"
