// The gutter and the caret status while typing. A 100,000-line roll and a
// 1,000-line roll are loaded side by side; in each, characters and line
// breaks are typed in the middle, the two rolls taking turns run by run. A keystroke here is the key going down and up in the
// editor (the change handling, the status text after each), the caret-line
// update and the repaint that follows, gutter included. Also timed alone: one
// paint of the gutter and one status update. Prints the figures and the ratios
// of the long roll to the short one; exits 1 when any of them costs three
// times as much in the long roll as in the short one or more (none may grow
// with the roll, which has 100 times the lines).
#include "BenchRoll.h"
#include "BenchWindow.h"

#include "app/LineNumberGutter.h"
#include "app/Remain.h"
#include "app/RollEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kKeys = 300; // per run
constexpr int kRuns = 5;   // the best run counts
constexpr int kRepeats = 2000;
constexpr double kLimit = 3; // long roll / short roll

struct Figures {
    double keyMs = 1e300;
    double enterMs = 1e300;
    double paintMs = 1e300;
    double statusMs = 1e300;
    int rowsPainted = 0;
};

// Mean milliseconds per key over kKeys keys; every 20 keys the caret moves
// to the end of the next line so lines stay short.
double typeKeys(TForm1 &form, int key, const QString &text)
{
    QElapsedTimer t;
    qint64 ns = 0;
    for (int i = 0; i < kKeys; ++i) {
        if (i % 20 == 0) {
            QTextCursor cursor = form.RichEdit1->textCursor();
            cursor.movePosition(QTextCursor::NextBlock);
            cursor.movePosition(QTextCursor::EndOfBlock);
            form.RichEdit1->setTextCursor(cursor);
            QCoreApplication::processEvents();
        }
        t.start();
        press(form.RichEdit1, key, text);
        form.RE1_Draw2Timer();
        QCoreApplication::processEvents(); // the repaint: editor and gutter
        ns += t.nsecsElapsed();
    }
    return double(ns) / 1e6 / kKeys;
}

template <typename F> double meanMs(F &&work)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kRepeats; ++i)
        work();
    return double(t.nsecsElapsed()) / 1e6 / kRepeats;
}

// Loads a roll of `lines` lines into the window, the caret in its middle.
void loadRoll(TForm1 &form, int lines)
{
    form.CharPosValueChange();
    form.SelFontSizeChange();
    form.RichEdit1->setPlainText(makeBenchRoll(lines, 15));
    form.ForceRecolorClick();
    form.RE1_DrawTimer();
    form.RE1_Draw2Timer();
    form.RichEdit1->setFocus();
    QTextCursor cursor(form.RichEdit1->document()->findBlockByNumber(lines / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    form.RichEdit1->setTextCursor(cursor);
    form.RichEdit1->centerCursor();
    QCoreApplication::processEvents();
    typeKeys(form, Qt::Key_A, QStringLiteral("a")); // warm-up
}

// One run of every measurement; `best` keeps the lowest figure of each.
void measure(TForm1 &form, Figures &best)
{
    best.keyMs = std::min(best.keyMs, typeKeys(form, Qt::Key_A, QStringLiteral("a")));
    best.enterMs = std::min(best.enterMs, typeKeys(form, Qt::Key_Return, QStringLiteral("\r")));
    best.paintMs = std::min(best.paintMs, meanMs([&form] { form.LineNo->repaint(); }));
    best.statusMs = std::min(best.statusMs, meanMs([&form] { form.updateCaretStatus(); }));
    best.rowsPainted = int(form.LineNo->visibleRows().size());
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    // Both rolls stay loaded and their runs alternate, so that a busy moment
    // of the machine does not fall on one roll only.
    BenchWindow longRoll;
    BenchWindow shortRoll;
    loadRoll(longRoll.form, 100000);
    loadRoll(shortRoll.form, 1000);
    Figures big;
    Figures small;
    for (int run = 0; run < kRuns; ++run) {
        measure(longRoll.form, big);
        measure(shortRoll.form, small);
    }

    std::printf("bench_gutter: typing in the middle of a roll (mean of %d keys, best of %d runs)\n",
                kKeys, kRuns);
    std::printf("                                 100,000 lines   1,000 lines   ratio\n");
    const auto row = [](const char *what, double a, double b) {
        std::printf("%-32s %10.4f ms %11.4f ms %7.2f\n", what, a, b, a / b);
    };
    row("keystroke (with repaint)", big.keyMs, small.keyMs);
    row("Enter (a line more)", big.enterMs, small.enterMs);
    row("gutter paint", big.paintMs, small.paintMs);
    row("status text and caret bar", big.statusMs, small.statusMs);
    std::printf("gutter rows painted: %d and %d\n", big.rowsPainted, small.rowsPainted);
    // A cost that grew with the roll would show as a ratio near 100.
    const bool ok = big.keyMs < kLimit * small.keyMs && big.enterMs < kLimit * small.enterMs
        && big.paintMs < kLimit * small.paintMs && big.statusMs < kLimit * small.statusMs;
    std::printf("%s\n", ok ? "OK (every ratio below 3)" : "TOO SLOW");
    return ok ? 0 : 1;
}
