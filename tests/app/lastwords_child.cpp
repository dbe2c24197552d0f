// The program's last moments, played out in a process of its own so that the
// test can crash, terminate or kill it: `lastwords_child MODE ROLL` in the
// folder to write into.
//   segv      loads the roll, then faults
//   term      loads the roll, says "ready", waits for SIGTERM
//   autosave  loads the roll, then writes autosave copies and suspends for
//             ever, saying "ready" after the first round (SIGKILL ends it)
#include "app/AppWindows.h"
#include "app/LastWords.h"
#include "app/Remain.h"
#include "app/WorkSuspend.h"
#include "platform/PrinterCatalog.h"
#include "platform/ScriptedPrompter.h"

#include <QTimer>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    VelmatApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    ScriptedPrompter prompter;
    Prompter::install(&prompter);
    FixedPrinterCatalog printers;
    PrinterCatalog::install(&printers);
    createAppWindows();
    installLastWords([] { Form1->workSuspend().writeRescueCopy(); });
    if (!Form1->LoadDocument(QString::fromLocal8Bit(argv[2])))
        return 3;

    if (mode == QLatin1String("segv")) {
        std::raise(SIGSEGV);
        return 4;
    }
    if (mode == QLatin1String("term")) {
        std::puts("ready");
        std::fflush(stdout);
        return QApplication::exec();
    }
    if (mode == QLatin1String("autosave")) {
        for (int round = 0;; ++round) {
            Form1->AutoSaveTimerTimer();
            prompter.answer(MsgResult::Yes); // overwrite the last suspend
            prompter.answer(MsgResult::No);  // and go on working
            Form1->Break1Click();
            if (round == 0) {
                std::puts("ready");
                std::fflush(stdout);
            }
        }
    }
    return 2;
}
