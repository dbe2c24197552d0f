#pragma once
#include "widgets/ToolWindow.h"

// Version and support information.
class TAboutBox : public ToolWindow {
    Q_OBJECT
public:
    TAboutBox();
};
