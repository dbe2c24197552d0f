#pragma once
// A main window for the editor benchmarks: headless unless a platform is
// chosen, dialogs answered by a script, start-up timer stopped so that only
// the measured work runs.
#include "app/Remain.h"
#include "platform/ScriptedPrompter.h"

#include <QCoreApplication>
#include <QTimer>

// Call before the QApplication is made.
inline void useOffscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

class BenchWindow {
public:
    BenchWindow()
    {
        Prompter::install(&m_prompter);
        form.show();
        QCoreApplication::processEvents();
        form.Timer1->stop();
    }
    ~BenchWindow() { Prompter::install(nullptr); }

    TForm1 form;

private:
    ScriptedPrompter m_prompter;
};
