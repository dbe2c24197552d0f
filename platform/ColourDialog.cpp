#include "platform/ColourDialog.h"

#include "platform/ScriptedColourDialog.h"

namespace {
ColourDialog *g_dialog = nullptr;
}

ColourDialog::~ColourDialog() = default;

ColourDialog &ColourDialog::instance()
{
    if (!g_dialog) {
        static ScriptedColourDialog fallback;
        return fallback;
    }
    return *g_dialog;
}

ColourDialog *ColourDialog::install(ColourDialog *dialog)
{
    ColourDialog *previous = g_dialog;
    g_dialog = dialog;
    return previous;
}
