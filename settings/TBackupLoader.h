#pragma once
#include "widgets/ToolWindow.h"

// Browses the autosaved copies of the roll.
class TBackupLoader : public ToolWindow {
    Q_OBJECT
public:
    TBackupLoader();
};
