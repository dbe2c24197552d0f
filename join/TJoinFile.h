#pragma once
#include "app/ToolWindow.h"

// Joins several roll files into one roll.
class TJoinFile : public ToolWindow {
    Q_OBJECT
public:
    TJoinFile();
};
