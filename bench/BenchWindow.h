#pragma once
// A main window for the editor benchmarks: headless unless a platform is
// chosen, dialogs answered by a script, start-up timer stopped so that only
// the measured work runs.
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "platform/ScriptedPrompter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

// Lets the event loop run for `ms`.
inline void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// All the program's windows, the main one shown and past its start-up
// stages, its timer stopped (install a prompter first).
inline void startAppWindows()
{
    createAppWindows();
    Form1->show();
    settle(1500);
    Form1->Timer1->stop();
}

// A key pressed and released on `w`, as the keyboard would.
inline void press(QWidget *w, int key, const QString &text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &down);
    QCoreApplication::sendEvent(w, &up);
}

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
