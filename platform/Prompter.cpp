#include "platform/Prompter.h"

#include "platform/ScriptedPrompter.h"

namespace {
Prompter *g_prompter = nullptr;
}

Prompter::~Prompter() = default;

Prompter &Prompter::instance()
{
    // Without a GUI prompter (velmat-tool, tests that forgot one) nothing may
    // block on a dialog: fall back to a prompter that answers the defaults.
    if (!g_prompter) {
        static ScriptedPrompter fallback;
        return fallback;
    }
    return *g_prompter;
}

Prompter *Prompter::install(Prompter *prompter)
{
    Prompter *previous = g_prompter;
    g_prompter = prompter;
    return previous;
}
