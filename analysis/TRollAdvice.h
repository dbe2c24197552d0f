#pragma once
#include "widgets/ToolWindow.h"

// Reports homophones, similar names, unknown words and hard kanji.
class TRollAdvice : public ToolWindow {
    Q_OBJECT
public:
    TRollAdvice();
};
