// The caption preview pane on a real main window: its menu item, following
// the caret and typing, and the check window's settings.
#include "app/Remain.h"
#include "app/RollEditor.h"
#include "app/WindowSettings.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"
#include "reshape/TCaptionPreview.h"
#include "reshape/TSetCheck.h"
#include "support/AppWindowsStarted.h"

#include <QAction>
#include <QComboBox>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>

using namespace Qt::StringLiterals;

namespace {

QStringList shownTexts()
{
    QStringList texts;
    for (const PreviewLine &line : Form1->CaptionPreview->shownLines())
        texts << line.text;
    return texts;
}

void putCaretOnLine(int line)
{
    QTextCursor cursor(Form1->RichEdit1->document()->findBlockByNumber(line));
    Form1->RichEdit1->setTextCursor(cursor);
}

QAction *menuItem()
{
    return Form1->findChild<QAction *>(u"CaptionPreview1"_s);
}

// Eight "漢" are 584 pixels at 55 points: they fit a 640-pixel screen, nine do not.
const QString kRoll = u"一行目\n<-◆第二部\n三行目\n"_s + QString(9, u'漢') + u"\n五行目\n六行目\n七行目"_s;

} // namespace

class TestPreviewPane : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void menuItemShowsAndHidesThePane();
    void followsTheCaret_data();
    void followsTheCaret();
    void followsTyping();
    void followsTheCheckSettings();
    void longLineIsReadOnlyAsFarAsAScreenGoes_data();
    void longLineIsReadOnlyAsFarAsAScreenGoes();
    void closeBoxClearsTheMark();
    void hiddenPaneDoesNothing();
    void opensAtAReadableScale();
    void heightIsKept();
    void limitLineSpansTheEditorAfterThePaneCloses();

private:
    ScriptedPrompter m_prompter;
    FixedPrinterCatalog m_printers{{u"Office"_s}, u"Office"_s};
};

void TestPreviewPane::init()
{
    startAppWindows(m_prompter, m_printers);
    Form1->RichEdit1->setPlainText(kRoll);
    putCaretOnLine(0);
}

void TestPreviewPane::cleanup()
{
    destroyAppWindows();
    m_prompter.clear();
}

void TestPreviewPane::menuItemShowsAndHidesThePane()
{
    QVERIFY(!Form1->CaptionPreview->isVisible());
    QVERIFY(!menuItem()->isChecked());
    menuItem()->trigger();
    QVERIFY(menuItem()->isChecked());
    QVERIFY(Form1->CaptionPreview->isVisible());
    QTRY_COMPARE(shownTexts(), (QStringList{u"一行目"_s, u"<-◆第二部"_s, u"三行目"_s}));
    QCOMPARE(Form1->CaptionPreview->caretRow(), 0);
    QVERIFY(Form1->CaptionPreview->caption().startsWith(u"640ピクセル・ＭＳ ゴシック 55pt・縮尺 "_s));
    menuItem()->trigger();
    QVERIFY(!menuItem()->isChecked());
    QVERIFY(!Form1->CaptionPreview->isVisible());
}

void TestPreviewPane::followsTheCaret_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("caretRow");
    QTest::addColumn<bool>("caretOverflows");
    QTest::addColumn<bool>("caretIsComment");
    const QString wide = QString(9, u'漢');
    QTest::newRow("second line") << 1 << QStringList{u"一行目"_s, u"<-◆第二部"_s, u"三行目"_s, wide} << 1 << false
                                 << true;
    QTest::newRow("middle, too wide")
        << 3 << QStringList{u"<-◆第二部"_s, u"三行目"_s, wide, u"五行目"_s, u"六行目"_s} << 2 << true << false;
    QTest::newRow("last line") << 6 << QStringList{u"五行目"_s, u"六行目"_s, u"七行目"_s} << 2 << false << false;
}

void TestPreviewPane::followsTheCaret()
{
    QFETCH(int, line);
    QFETCH(QStringList, shown);
    QFETCH(int, caretRow);
    QFETCH(bool, caretOverflows);
    QFETCH(bool, caretIsComment);
    menuItem()->trigger();
    putCaretOnLine(line);
    QTRY_COMPARE(shownTexts(), shown);
    TCaptionPreview *pane = Form1->CaptionPreview;
    QCOMPARE(pane->caretRow(), caretRow);
    const PreviewLine &caretLine = pane->shownLines().at(caretRow);
    QCOMPARE(caretLine.overflows(), caretOverflows);
    QCOMPARE(caretLine.comment, caretIsComment);
    QCOMPARE(pane->caption().endsWith(u"・この行は17ピクセルオーバー"_s), caretOverflows);
    if (caretOverflows)
        QCOMPARE(caretLine.fitting, 8);
}

void TestPreviewPane::followsTyping()
{
    menuItem()->trigger();
    putCaretOnLine(2);
    QTRY_COMPARE(Form1->CaptionPreview->caretRow(), 2);
    Form1->RichEdit1->setFocus();
    QTest::keyClick(Form1->RichEdit1, Qt::Key_End);
    QTest::keyClicks(Form1->RichEdit1, QString(15, u'M'));
    QTRY_COMPARE(Form1->CaptionPreview->shownLines().at(2).text, u"三行目"_s + QString(15, u'M'));
    QVERIFY(Form1->CaptionPreview->shownLines().at(2).overflows());
    // A new line: the caret moves to it, and the pane with it.
    QTest::keyClick(Form1->RichEdit1, Qt::Key_Return);
    QTest::keyClicks(Form1->RichEdit1, u"x"_s);
    QTRY_COMPARE(shownTexts().value(Form1->CaptionPreview->caretRow()), u"x"_s);
    QCOMPARE(shownTexts().value(Form1->CaptionPreview->caretRow() + 1), QString(9, u'漢'));
}

void TestPreviewPane::followsTheCheckSettings()
{
    menuItem()->trigger();
    putCaretOnLine(3);
    QTRY_VERIFY(Form1->CaptionPreview->shownLines().value(2).overflows());
    SetCheck->SetCheckWidth->setValue(73 * 9);
    QTRY_VERIFY(!Form1->CaptionPreview->shownLines().value(2).overflows());
    QVERIFY(Form1->CaptionPreview->caption().startsWith(u"657ピクセル"_s));
    SetCheck->SelFontSize->setValue(60);
    QTRY_VERIFY(Form1->CaptionPreview->shownLines().value(2).overflows());
    SetCheck->SelFont->setCurrentText(u"ＭＳ 明朝"_s);
    QTRY_VERIFY(Form1->CaptionPreview->caption().contains(u"ＭＳ 明朝 60pt"_s));
}

// A pasted manuscript line of many thousand characters is read only in part
// on each key, and the part never ends in half a surrogate pair.
void TestPreviewPane::longLineIsReadOnlyAsFarAsAScreenGoes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("shown");
    const QString kanji = QString(200000, u'漢');
    QTest::newRow("kanji") << kanji << kanji.left(4096);
    QString pairs = u"a"_s;
    for (int i = 0; i < 3000; ++i)
        pairs += u"𠮷"_s;
    QTest::newRow("pair across the end") << pairs << pairs.left(4095);
}

void TestPreviewPane::longLineIsReadOnlyAsFarAsAScreenGoes()
{
    QFETCH(QString, line);
    QFETCH(QString, shown);
    Form1->RichEdit1->setPlainText(u"前\n"_s + line + u"\n後"_s);
    menuItem()->trigger();
    putCaretOnLine(1);
    QTRY_COMPARE(Form1->CaptionPreview->caretRow(), 1);
    QCOMPARE(shownTexts(), (QStringList{u"前"_s, shown, u"後"_s}));
    QVERIFY(Form1->CaptionPreview->shownLines().at(1).overflows());
}

void TestPreviewPane::closeBoxClearsTheMark()
{
    menuItem()->trigger();
    QVERIFY(Form1->CaptionPreview->close());
    QVERIFY(!Form1->CaptionPreview->isVisible());
    QVERIFY(!menuItem()->isChecked());
}

// While hidden the pane reads nothing; shown again, it catches up.
void TestPreviewPane::hiddenPaneDoesNothing()
{
    menuItem()->trigger();
    QTRY_COMPARE(shownTexts().value(0), u"一行目"_s);
    menuItem()->trigger();
    putCaretOnLine(6);
    QTest::qWait(20);
    QCOMPARE(shownTexts().value(0), u"一行目"_s);
    menuItem()->trigger();
    QTRY_COMPARE(shownTexts().value(0), u"五行目"_s);
}

// Opened for the first time, the pane draws the caption screen large enough
// to read, and the editor keeps room of its own.
void TestPreviewPane::opensAtAReadableScale()
{
    const int shared = Form1->centralWidget()->height();
    menuItem()->trigger();
    TCaptionPreview *pane = Form1->CaptionPreview;
    QTRY_VERIFY2(pane->scale() >= 0.5, qPrintable(pane->caption()));
    QVERIFY2(pane->scale() < 0.6, qPrintable(pane->caption())); // no larger than it takes
    QVERIFY(Form1->RichEdit1->height() >= shared / 4);
    const qsizetype at = pane->caption().indexOf(u"縮尺 "_s);
    QVERIFY(at > 0);
    QVERIFY2(pane->caption().mid(at + 3).section(u'%', 0, 0).toInt() >= 50, qPrintable(pane->caption()));
}

// The height the user gave the pane comes back when it opens again, and
// through the settings in the next session.
void TestPreviewPane::heightIsKept()
{
    TCaptionPreview *pane = Form1->CaptionPreview;
    QCOMPARE(collectWindowSettings().main.captionPreviewHeight, 0); // never shown
    menuItem()->trigger();
    QTRY_VERIFY(pane->height() > 100);
    Form1->resizeDocks({pane}, {150}, Qt::Vertical);
    QTRY_COMPARE(pane->height(), 150);
    menuItem()->trigger();
    QVERIFY(!pane->isVisible());
    QCOMPARE(collectWindowSettings().main.captionPreviewHeight, 150);
    menuItem()->trigger();
    QTRY_COMPARE(pane->height(), 150);
    QCOMPARE(collectWindowSettings().main.captionPreviewHeight, 150);

    menuItem()->trigger();
    StoredSettings stored = collectWindowSettings();
    stored.main.captionPreview = true;
    stored.main.captionPreviewHeight = 210;
    applyWindowSettings(stored);
    QVERIFY(pane->isVisible());
    QTRY_COMPARE(pane->height(), 210);
}

// The limit line stands over the editor: when the pane closes and the editor
// grows back, the line grows with it.
void TestPreviewPane::limitLineSpansTheEditorAfterThePaneCloses()
{
    const int full = Form1->RichEdit1->height();
    QCOMPARE(Form1->CharPosSign->height(), full);
    menuItem()->trigger();
    QTRY_VERIFY(Form1->RichEdit1->height() < full);
    const int shared = Form1->RichEdit1->height();
    QTRY_COMPARE(Form1->CharPosSign->height(), Form1->RichEdit1->height());
    menuItem()->trigger();
    QTRY_VERIFY(Form1->RichEdit1->height() > shared);
    QTRY_COMPARE(Form1->CharPosSign->height(), Form1->RichEdit1->height());
    QCOMPARE(Form1->CharPosSign->y(), Form1->RichEdit1->y());
}

QTEST_MAIN(TestPreviewPane)
#include "tst_previewpane.moc"
