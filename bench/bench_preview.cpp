// What the caption preview pane adds to typing in a 20 MB roll. The roll is
// loaded into the main window and characters are typed in its middle, each
// key followed by the events it leaves (the pane's refresh and the repaint),
// first with the pane hidden, then shown. Prints the time per key both ways,
// the pane's share, and the same for a roll that is one line of a megabyte
// (the pane reads only the start of such a line). Exits 1 when the pane adds
// a millisecond or more to a key.
//
// Usage: bench_preview [MEGABYTES=20]
#include "BenchRoll.h"
#include "BenchWindow.h"

#include "app/Remain.h"
#include "app/RollEditor.h"
#include "platform/Cp932.h"
#include "reshape/TCaptionPreview.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kKeys = 200; // per run
constexpr int kRuns = 3;   // the best run counts

// Mean milliseconds per key, each key followed by the events it leaves.
double typeKeys(TForm1 &form, int count)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < count; ++i) {
        press(form.RichEdit1, Qt::Key_A, QStringLiteral("a"));
        QCoreApplication::processEvents();
    }
    return double(t.nsecsElapsed()) / 1e6 / count;
}

// The caret at the end of the middle line (or in the middle of a one-line roll).
void caretToMiddle(TForm1 &form)
{
    QTextDocument *doc = form.RichEdit1->document();
    QTextCursor cursor(doc->findBlockByNumber(doc->blockCount() / 2));
    if (doc->blockCount() == 1)
        cursor.setPosition(doc->characterCount() / 2);
    else
        cursor.movePosition(QTextCursor::EndOfBlock);
    form.RichEdit1->setTextCursor(cursor);
    form.RichEdit1->centerCursor();
}

double bestOf(TForm1 &form)
{
    caretToMiddle(form);
    typeKeys(form, 20); // warm-up
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run)
        best = std::min(best, typeKeys(form, kKeys));
    return best;
}

struct Figures {
    double hiddenMs = 0;
    double shownMs = 0;
};

Figures measure(TForm1 &form, const QString &roll)
{
    form.CaptionPreview1->setChecked(false);
    form.CaptionPreview1Click();
    form.RichEdit1->setPlainText(roll);
    form.ForceRecolorClick();
    QCoreApplication::processEvents();
    Figures f;
    f.hiddenMs = bestOf(form);
    form.CaptionPreview1->setChecked(true);
    form.CaptionPreview1Click();
    QCoreApplication::processEvents();
    f.shownMs = bestOf(form);
    return f;
}

void report(const char *what, const Figures &f)
{
    std::printf("%s\n", what);
    std::printf("  typed character, pane hidden: %9.4f ms\n", f.hiddenMs);
    std::printf("  typed character, pane shown:  %9.4f ms\n", f.shownMs);
    std::printf("  the pane's share:             %9.4f ms (%.2f× the hidden figure)\n", f.shownMs - f.hiddenMs,
                f.shownMs / f.hiddenMs);
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    BenchWindow window;
    TForm1 &form = window.form;
    form.resize(900, 800);
    form.CaptionPreview->setSettings({640, QStringLiteral("ＭＳ ゴシック"), 55});

    // About 32 bytes a line as Shift-JIS with CR LF.
    const int lines = megabytes * 1000000 / 32;
    const QString roll = makeBenchRoll(lines, 15);
    std::printf("bench_preview: %d lines, %.2f MB as Shift-JIS\n", lines, cp932Encode(roll).size() / 1e6);
    const Figures many = measure(form, roll);
    const Figures one = measure(form, QString(1000000 / 2, QChar(0x6f22)));
    report("a roll of caption lines", many);
    report("one line of a megabyte", one);
    // A key in a megabyte line is slow with or without the pane (the editor
    // lays the line out again); there the pane must add little to that.
    const bool ok = many.shownMs - many.hiddenMs < 1.0 && one.shownMs - one.hiddenMs < 0.1 * one.hiddenMs;
    std::printf("%s\n", ok ? "OK" : "TOO SLOW");
    return ok ? 0 : 1;
}
