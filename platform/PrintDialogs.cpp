#include "platform/PrintDialogs.h"

#include "platform/ScriptedPrintDialogs.h"

namespace {
PrintDialogs *g_dialogs = nullptr;
}

PrintDialogs::~PrintDialogs() = default;

PrintDialogs &PrintDialogs::instance()
{
    if (!g_dialogs) {
        static ScriptedPrintDialogs fallback;
        return fallback;
    }
    return *g_dialogs;
}

PrintDialogs *PrintDialogs::install(PrintDialogs *dialogs)
{
    PrintDialogs *previous = g_dialogs;
    g_dialogs = dialogs;
    return previous;
}
