#pragma once
#include "app/ToolWindow.h"

// Runs the analyser over the roll and lists its words by part of speech.
class TWordAnalyze : public ToolWindow {
    Q_OBJECT
public:
    TWordAnalyze();
};
