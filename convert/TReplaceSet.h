#pragma once
#include "app/ToolWindow.h"

// Converts character kinds in the selection or the whole roll.
class TReplaceSet : public ToolWindow {
    Q_OBJECT
public:
    TReplaceSet();
};
