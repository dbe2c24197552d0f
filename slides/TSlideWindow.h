#pragma once
#include "widgets/ToolWindow.h"

// Browses, previews and edits the pages of a slide file.
class TSlideWindow : public ToolWindow {
    Q_OBJECT
public:
    TSlideWindow();
};
