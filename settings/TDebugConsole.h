#pragma once
#include "widgets/ToolWindow.h"

// Lists errors that no command handled.
class TDebugConsole : public ToolWindow {
    Q_OBJECT
public:
    TDebugConsole();
};
