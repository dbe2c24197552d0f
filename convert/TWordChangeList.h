#pragma once
#include "app/ToolWindow.h"

class QTableWidget;

// The user's own conversion pairs.
class TWordChangeList : public ToolWindow {
    Q_OBJECT
public:
    TWordChangeList();

    QTableWidget *WordList; // key (before), value (after)
};
