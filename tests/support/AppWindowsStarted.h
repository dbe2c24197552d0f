#pragma once
// The program's windows for a UI test: made with the test's prompter and
// printers, the main window shown and past its start-up stages. The test
// ends them with destroyAppWindows().
#include "app/AppWindows.h"
#include "app/Remain.h"
#include "platform/PrinterCatalog.h"
#include "platform/Prompter.h"

#include <QTest>
#include <QTimer>

// A failure here fails the calling test; check QTest::currentTestFailed().
inline void startAppWindows(Prompter &prompter, PrinterCatalog &printers)
{
    Prompter::install(&prompter);
    PrinterCatalog::install(&printers);
    createAppWindows();
    Form1->show();
    QTRY_COMPARE(Form1->statusText(), QStringLiteral("☆起動完了"));
    QTRY_VERIFY(!Form1->Timer1->isActive());
}
