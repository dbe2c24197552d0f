#pragma once
#include "app/ToolWindow.h"

// Paths of the analyser and of the document filter.
class TSetChasen : public ToolWindow {
    Q_OBJECT
public:
    TSetChasen();
};
