// The undo history on a 1 MB roll. 5000 single-character edits at scattered
// places are made through the main window's editor, each recorded as one undo
// state; then the bytes the history holds are counted (a history of whole
// texts would hold 5000 copies of the roll: about 10 GB in UTF-16) and undo
// and redo are timed. Walks back to the oldest state held and checks it.
// Exits 1 when the history holds 50 MB or more or a text comes out wrong.
#include "BenchRoll.h"
#include "BenchWindow.h"

#include "history/EditHistory.h"
#include "app/Remain.h"
#include "app/RollEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kEdits = 5000;
constexpr int kTimed = 200;

double msSince(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

} // namespace

int main(int argc, char **argv)
{
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    BenchWindow window;
    TForm1 &form = window.form;

    QString roll = makeBenchRoll(62500, 15); // 62,500 lines of 16 characters
    form.RichEdit1->setPlainText(roll);
    form.ForceRecolorClick();
    form.RE1_DrawTimer();
    form.RE1_Draw2Timer();
    std::printf("bench_undo: roll of %lld characters (%.2f MB in UTF-16), %d single-character edits\n",
                static_cast<long long>(roll.size()), roll.size() * 2 / 1e6, kEdits);

    QRandomGenerator rng(5);
    QString oldest; // the oldest state the ring still holds after all edits
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kEdits; ++i) {
        const int pos = rng.bounded(int(roll.size()));
        const QString ch(QChar(u'ア' + rng.bounded(40)));
        QTextCursor cursor(form.RichEdit1->document());
        cursor.setPosition(pos);
        cursor.insertText(ch);
        roll.insert(pos, ch);
        if (i == 0)
            oldest = roll;
    }
    const double editMs = msSince(t) / kEdits;
    QCoreApplication::processEvents();

    const qsizetype held = form.history().bytesHeld();
    const double naive = double(kEdits) * double(roll.size()) * 2;
    std::printf("edit incl. recording:   %9.4f ms (mean of %d)\n", editMs, kEdits);
    std::printf("history holds:          %9.3f MB (whole texts would hold %.1f GB; 1/%.0f)\n",
                held / 1e6, naive / 1e9, naive / double(held));
    std::printf("shadow copy of the text:%9.3f MB\n",
                const_cast<EditHistory &>(form.history()).shadow().bytesHeld() / 1e6);

    t.restart();
    form.Undo1Click();
    const double firstUndoMs = msSince(t);
    t.restart();
    for (int i = 0; i < kTimed; ++i)
        form.Undo1Click();
    const double undoMs = msSince(t) / kTimed;
    t.restart();
    form.RE1_DrawTimer(); // the full update each undo starts
    const double drawMs = msSince(t);
    t.restart();
    for (int i = 0; i < kTimed + 1; ++i)
        form.Redo1Click();
    const double redoMs = msSince(t) / kTimed;
    bool ok = form.RichEdit1->toPlainText() == roll;

    int steps = 0;
    while (form.history().ring().undoSteps() > 0) {
        form.Undo1Click();
        ++steps;
    }
    ok = ok && form.RichEdit1->toPlainText() == oldest && steps == 4999;

    std::printf("undo:                   %9.4f ms (mean of %d; the first one %.1f ms)\n", undoMs, kTimed,
                firstUndoMs);
    std::printf("redo:                   %9.4f ms (mean of %d)\n", redoMs, kTimed);
    std::printf("full update after undo: %9.1f ms (tag list rebuilt once per 10 ms tick)\n", drawMs);
    std::printf("walked back %d steps to the oldest state held: %s\n", steps,
                ok ? "texts correct" : "WRONG TEXT");
    ok = ok && held < 50 * 1000 * 1000;
    std::printf("%s\n", ok ? "OK: under 50 MB" : "FAILED");
    return ok ? 0 : 1;
}
