// The slide editor against a bare roll: lists, preview, apply.
#include "platform/ScriptedPrompter.h"
#include "slides/TSlideWindow.h"
#include "support/PlainRoll.h"
#include "widgets/ColourBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString kConverted = u"-スライド1,16777215,,0,0,200,100,,,,,,,,,,\n"
                           u"増,0,0,20,255,c,c,,,,,,\n"
                           u"増,,r1,20,255,c,c,,,,,,\n"
                           u"-スライド3,0,,0,0,640,480,,,,,,,,,,\n"
                           u"次,0,0,10,16777215,c,c,,,,,,\n"_s;

// The first row, from the top, holding a pixel of `colour`; -1 if none.
int firstRowOf(const QImage &image, QRgb colour, int fromRow = 0)
{
    for (int y = fromRow; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                return y;
    return -1;
}

void choosePage(TSlideWindow &window, int row)
{
    window.PageList->setCurrentRow(row);
    window.PageListClick();
}
} // namespace

class TestSlideWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsWaitForReload();
    void pageShowsPropertiesAndPreview();
    void applyRewritesBothRecordsAsOneStep();
    void lineStepMovesStringDown();
    void hostilePageSizesStayBounded_data();
    void hostilePageSizesStayBounded();
    void applyAfterTheRollChangedWritesNothingWrong();
    void applyChecksTheShownRecordsAreStillThere_data();
    void applyChecksTheShownRecordsAreStillThere();
};

void TestSlideWindow::listsWaitForReload()
{
    PlainRoll roll(kConverted);
    TSlideWindow window(roll);
    QCOMPARE(window.PageList->count(), 0);
    window.Reload1->trigger();
    QCOMPARE(window.PageList->count(), 2);
    QCOMPARE(window.PageList->item(0)->text(), u"スライド1"_s);
    QCOMPARE(window.PageList->item(1)->text(), u"スライド3"_s);
    window.Button1->click(); // no page chosen: nothing written
    QCOMPARE(roll.text, kConverted);
    QCOMPARE(roll.undoSteps, 0);
}

void TestSlideWindow::pageShowsPropertiesAndPreview()
{
    PlainRoll roll(kConverted);
    TSlideWindow window(roll);
    window.Reload1Click();
    choosePage(window, 0);
    QCOMPARE(window.PageTitle->text(), u"スライド1"_s);
    QCOMPARE(window.PageColor->colourRef(), 16777215);
    QCOMPARE(window.PageWidth->value(), 200);
    QCOMPARE(window.PageHeight->value(), 100);
    QCOMPARE(window.StringList->count(), 2);
    QCOMPARE(window.StringList->currentRow(), 0);
    QCOMPARE(window.ViewText->text(), u"増"_s);
    QCOMPARE(window.FontSize->value(), 20);
    QCOMPARE(window.FontColor->colourRef(), 255);
    QCOMPARE(window.StringTopMode->currentText(), u"縦座標"_s);
    const QImage image = window.previewImage();
    QCOMPARE(image.size(), QSize(200, 100));
    QCOMPARE(image.pixel(199, 99), qRgb(255, 255, 255));
    QVERIFY(firstRowOf(image, qRgb(255, 0, 0)) >= 0); // the red strings were drawn
}

void TestSlideWindow::applyRewritesBothRecordsAsOneStep()
{
    PlainRoll roll(kConverted);
    TSlideWindow window(roll);
    window.Reload1Click();
    choosePage(window, 0);
    window.StringList->setCurrentRow(1);
    window.StringListClick();
    window.ViewText->setText(u"新,しい"_s);
    window.PageTitle->setText(u"表紙"_s);
    window.Button2->click();
    QCOMPARE(roll.undoSteps, 1);
    QCOMPARE(roll.text, u"-表紙,16777215,,0,0,200,100,,,,,,,\n"
                        u"増,0,0,20,255,c,c,,,,,,\n"
                        u"新しい,0,r1,20,255,c,c,,,,,,,\n"
                        u"-スライド3,0,,0,0,640,480,,,,,,,,,,\n"
                        u"次,0,0,10,16777215,c,c,,,,,,\n"_s);
    QCOMPARE(window.StringList->currentRow(), 0); // the first string again
    QCOMPARE(window.ViewText->text(), u"増"_s);
    QCOMPARE(window.PageList->item(0)->text(), u"表紙"_s); // the list shows the new title
    QCOMPARE(window.PageList->currentRow(), 0);
}

void TestSlideWindow::lineStepMovesStringDown()
{
    PlainRoll roll(u"-p,16777215,,0,0,300,300,\nA,0,0,20,255,c,c,\nB,0,0,20,16711680,c,c,\n"_s);
    TSlideWindow window(roll);
    window.Reload1Click();
    choosePage(window, 0);
    const int redTop = firstRowOf(window.previewImage(), qRgb(255, 0, 0));
    window.StringList->setCurrentRow(1);
    window.StringListClick();
    window.StringTopMode->setCurrentIndex(1); // 縦改行
    window.StringTop->setValue(2);
    window.Button1->click();
    QCOMPARE(roll.lines().at(2), u"B,0,r2,20,16711680,c,c,,,,,,,"_s);
    const QFontMetricsF metrics([] {
        QFont font;
        font.setPointSize(20);
        return font;
    }());
    const int blueTop = firstRowOf(window.previewImage(), qRgb(0, 0, 255));
    QVERIFY(redTop >= 0 && blueTop >= 0);
    // Two character heights below the red string, give or take the glyphs' own top.
    QVERIFY2(qAbs(blueTop - redTop - 2 * metrics.height()) <= metrics.height() / 2,
             qPrintable(u"red %1, blue %2, line %3"_s.arg(redTop).arg(blueTop).arg(metrics.height())));
}

void TestSlideWindow::hostilePageSizesStayBounded_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QSize>("image");
    QTest::newRow("huge page is scaled down") << u"-p,0,,0,0,2000000000,1000000000,"_s << QSize(2000, 1000);
    QTest::newRow("negative size draws nothing") << u"-p,0,,0,0,-5,100,"_s << QSize(0, 0);
    QTest::newRow("no size") << u"-p,"_s << QSize(0, 0);
}

void TestSlideWindow::hostilePageSizesStayBounded()
{
    QFETCH(QString, page);
    QFETCH(QSize, image);
    PlainRoll roll(page + u"\nA,r2147483647,r2147483647,2147483647,x,\nB,-2147483648,0,-3,0,\n"_s);
    TSlideWindow window(roll);
    window.Reload1Click();
    choosePage(window, 0);
    QCOMPARE(window.previewImage().size(), image);
    QCOMPARE(window.FontSize->value(), 2147483647); // shown as it is, written back as it is
    window.Button1Click();
    QCOMPARE(roll.lines().at(1), u"A,r2147483647,r2147483647,2147483647,0,c,c,,,,,,,"_s);
}

void TestSlideWindow::applyAfterTheRollChangedWritesNothingWrong()
{
    PlainRoll roll(kConverted);
    TSlideWindow window(roll);
    window.Reload1Click();
    choosePage(window, 1);
    roll.text = u"ただの文章\n"_s; // the roll was replaced meanwhile
    window.Button1Click();
    QCOMPARE(roll.text, u"ただの文章\n"_s);
    QCOMPARE(roll.undoSteps, 0);
}

namespace {
// kConverted with its line `line` removed.
QString withoutLine(int line)
{
    QStringList lines = kConverted.split(u'\n');
    lines.removeAt(line);
    return lines.join(u'\n');
}
} // namespace

void TestSlideWindow::applyChecksTheShownRecordsAreStillThere_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("string");
    QTest::addColumn<QString>("edited"); // the roll after the user's edit behind the window
    QTest::addColumn<int>("writtenLine"); // -1: refused
    QTest::newRow("a string above on the same page deleted")
        << 0 << 1 << withoutLine(1) << -1;
    QTest::newRow("a string added above on the same page: its number points at the new one")
        << 0 << 1 << QString(kConverted).replace(u"増,,r1"_s, u"足した,0,0,20,255,c,c,,,,,,\n増,,r1"_s) << -1;
    QTest::newRow("the shown string's own line changed")
        << 0 << 0 << QString(kConverted).replace(u"増,0,0,20"_s, u"手で直した,0,0,20"_s) << -1;
    QTest::newRow("an earlier page record deleted") << 1 << 0 << withoutLine(0) << -1;
    QTest::newRow("a string of an earlier page deleted: the same records") << 1 << 0 << withoutLine(2) << 3;
    QTest::newRow("a plain line added above: the same records") << 0 << 1 << u"メモ\n"_s + kConverted << 3;
}

void TestSlideWindow::applyChecksTheShownRecordsAreStillThere()
{
    QFETCH(int, page);
    QFETCH(int, string);
    QFETCH(QString, edited);
    QFETCH(int, writtenLine);
    ScriptedPrompter prompter;
    Prompter *previous = Prompter::install(&prompter);
    PlainRoll roll(kConverted);
    TSlideWindow window(roll);
    window.Reload1Click();
    choosePage(window, page);
    window.StringList->setCurrentRow(string);
    window.StringListClick();
    roll.text = edited;
    window.ViewText->setText(u"新"_s);
    window.Button2->click();
    Prompter::install(previous);
    if (writtenLine >= 0) {
        QVERIFY(prompter.asked().isEmpty());
        QCOMPARE(roll.undoSteps, 1);
        QVERIFY2(roll.lines().at(writtenLine).startsWith(u"新,"_s), qPrintable(roll.lines().at(writtenLine)));
        return;
    }
    QCOMPARE(roll.text, edited);
    QCOMPARE(roll.undoSteps, 0);
    QCOMPARE(prompter.asked().size(), 1);
    QCOMPARE(prompter.asked().first().caption, u"スライド編集"_s);
    QCOMPARE(prompter.asked().first().icon, MsgIcon::Warning);
    QVERIFY(prompter.asked().first().text.contains(u"書き込みませんでした"_s));
    // Reloaded from the roll as it is now, nothing chosen.
    QCOMPARE(window.PageList->count(), int(slidePages(roll.lines()).size()));
    QCOMPARE(window.PageList->currentRow(), -1);
}

QTEST_MAIN(TestSlideWindow)
#include "tst_slidewindow.moc"
