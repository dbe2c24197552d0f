#pragma once
#include "app/ToolWindow.h"

// Function-key phrases, send by Enter and the list of prepared rolls.
class TRollInput : public ToolWindow {
    Q_OBJECT
public:
    TRollInput();
};
