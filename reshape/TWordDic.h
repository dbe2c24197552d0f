#pragma once
#include "app/ToolWindow.h"

// The custom list of words a reshape must not divide.
class TWordDic : public ToolWindow {
    Q_OBJECT
public:
    TWordDic();
};
