// Print menu and the print settings: the commands are PrintCommands'; the
// main window gives them the roll and the settings window's values.
#include "app/Remain.h"

#include "app/AppWindows.h"
#include "app/DocumentFiles.h"
#include "print/PrintCommands.h"
#include "print/TSetPrinterSetup.h"

void TForm1::buildPrinting()
{
    m_print = std::make_unique<PrintCommands>(*m_rollAccess, [] { return SetPrinterSetup->settings(); },
                                              [this] { return m_files->rollFile(); });
}

CurrentPrinter &TForm1::currentPrinter() { return m_print->printer(); }

void TForm1::Standard1Click() { m_print->printRoll(PrintStyle::Standard); }
void TForm1::Extend1Click() { m_print->printRoll(PrintStyle::Split); }
void TForm1::N10Click() { m_print->printTitles(); }
void TForm1::Print1Click() { SetPrinterSetup->showTool(); }
