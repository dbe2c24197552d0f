#pragma once
#include "app/ToolWindow.h"

// The shared list of roll lines ("%05d : %s") that jumps to a line.
class TFindList : public ToolWindow {
    Q_OBJECT
public:
    TFindList();
};
