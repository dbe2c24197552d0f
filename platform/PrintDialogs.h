#pragma once
// The platform's printer dialogs behind one face, so that printing stays
// scriptable: tests install a ScriptedPrintDialogs, the program the Qt one.
#include <QString>

#include <functional>
#include <optional>

class QPrinter;

class PrintDialogs {
public:
    virtual ~PrintDialogs();

    // The printer setup dialog over `printer` (printer, paper, orientation,
    // properties). The name of the printer chosen, empty when the choice is
    // a file; nothing when cancelled.
    virtual std::optional<QString> setupPrinter(QPrinter &printer) = 0;

    // Shows the pages `paint` draws on `printer` before they go out; true to
    // send them, false to keep them back.
    virtual bool preview(QPrinter &printer, const std::function<void(QPrinter &)> &paint,
                         const QString &caption) = 0;

    // The process-wide dialogs: without any installed, scripted defaults
    // (the preview sends, the setup is cancelled), so nothing blocks.
    static PrintDialogs &instance();
    static PrintDialogs *install(PrintDialogs *dialogs);
};
