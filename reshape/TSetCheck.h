#pragma once
#include "app/ToolWindow.h"

class QComboBox;

// The width-check settings: caption screen width, font and size.
class TSetCheck : public ToolWindow {
    Q_OBJECT
public:
    TSetCheck();

    QComboBox *SelFont; // editable: whatever text it holds is the font name
};
