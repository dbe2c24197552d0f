#pragma once
#include "app/ToolWindow.h"

// The user's own conversion pairs.
class TWordChangeList : public ToolWindow {
    Q_OBJECT
public:
    TWordChangeList();
};
