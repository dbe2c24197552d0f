#pragma once
#include "app/ToolWindow.h"

// Settings of the roll-to-slide conversion (shown modally).
class TSlideSetWnd : public ToolWindow {
    Q_OBJECT
public:
    TSlideSetWnd();
};
