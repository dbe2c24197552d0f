#pragma once
// The print commands over the roll face: the roll (standard or split) and its
// titles, through the application's printer. Each run reads the print
// settings of that moment, shows the pages before they go out, and sends
// them to the printer or, where there is none, to a PDF file the user names.
#include "print/CurrentPrinter.h"
#include "print/PageLayout.h"
#include "print/PrintSetup.h"

#include <functional>

class QFont;
class RollAccess;

class PrintCommands {
public:
    // `rollFile`: the path of the file the roll was last opened from or saved
    // to (empty: none), which names the print jobs.
    PrintCommands(RollAccess &roll, std::function<PrintSetup()> setup, std::function<QString()> rollFile = {});

    CurrentPrinter &printer() { return m_printer; }

    // Every roll line, one a printed line, with status texts and the width
    // question first. `style`: Standard or Split.
    void printRoll(PrintStyle style);
    // Every comment line with its line number; asks nothing, says nothing.
    void printTitles();

private:
    enum class Outcome { Sent, KeptBack, Failed };
    // The job's name: the roll's file name without its suffix, or 「前ロール」.
    QString jobName(PrintStyle style) const;
    // The preview, the file name where the printer is a file, then the pages
    // as a job named `jobName`.
    Outcome send(const QList<PrintedPage> &pages, const QFont &font, const QString &jobName,
                 const std::function<void()> &sending);

    RollAccess &m_roll;
    std::function<PrintSetup()> m_setup;
    std::function<QString()> m_rollFile;
    CurrentPrinter m_printer;
};
