#pragma once
#include "app/ToolWindow.h"

class QPlainTextEdit;

// The custom list of words a reshape must not divide.
class TWordDic : public ToolWindow {
    Q_OBJECT
public:
    TWordDic();

    QPlainTextEdit *DicList; // one word per line
};
