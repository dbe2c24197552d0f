#pragma once
#include "app/ToolWindow.h"

// The talkers of the roll and the lines each one speaks.
class TMsgList : public ToolWindow {
    Q_OBJECT
public:
    TMsgList();
};
