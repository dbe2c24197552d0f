// The gutter and the caret status while typing. A 100,000-line roll and a
// 1,000-line roll are loaded in turn; in each, characters and line breaks are
// typed in the middle. A keystroke here is the key going down and up in the
// editor (the change handling, the status text after each), the caret-line
// update and the repaint that follows, gutter included. Also timed alone: one
// paint of the gutter and one status update. Prints the figures and the ratios
// of the long roll to the short one; exits 1 when a keystroke, a gutter paint
// or a status update in the long roll costs more than twice as much as in the
// short one (they must not grow with the roll).
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

struct Figures {
    double keyMs = 0;
    double enterMs = 0;
    double paintMs = 0;
    double statusMs = 0;
    int rowsPainted = 0;
};

void press(QWidget *w, int key, const QString &text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &down);
    QCoreApplication::sendEvent(w, &up);
}

// Mean milliseconds per key over `count` keys, best of kRuns runs; every 20
// keys the caret moves to the end of the next line so lines stay short.
double typeKeys(TForm1 &form, int key, const QString &text)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
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
        best = std::min(best, double(ns) / 1e6 / kKeys);
    }
    return best;
}

template <typename F> double meanMs(F &&work)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kRepeats; ++i)
        work();
    return double(t.nsecsElapsed()) / 1e6 / kRepeats;
}

Figures measure(TForm1 &form, int lines)
{
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

    Figures f;
    typeKeys(form, Qt::Key_A, QStringLiteral("a")); // warm-up
    f.keyMs = typeKeys(form, Qt::Key_A, QStringLiteral("a"));
    f.enterMs = typeKeys(form, Qt::Key_Return, QStringLiteral("\r"));
    f.rowsPainted = int(form.LineNo->visibleRows().size());
    f.paintMs = meanMs([&form] { form.LineNo->repaint(); });
    f.statusMs = meanMs([&form] { form.updateCaretStatus(); });
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    BenchWindow window;
    TForm1 &form = window.form;
    form.CharPosValueChange();
    form.SelFontSizeChange();

    const Figures big = measure(form, 100000);
    const Figures small = measure(form, 1000);

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
    const bool ok = big.keyMs < 2 * small.keyMs && big.enterMs < 2 * small.enterMs
        && big.paintMs < 2 * small.paintMs && big.statusMs < 2 * small.statusMs;
    std::printf("%s\n", ok ? "OK (the long roll costs less than twice the short one)" : "TOO SLOW");
    return ok ? 0 : 1;
}
