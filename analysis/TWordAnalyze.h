#pragma once
#include "app/ToolWindow.h"

class QCheckBox;

// Runs the analyser over the roll and lists its words by part of speech.
class TWordAnalyze : public ToolWindow {
    Q_OBJECT
public:
    TWordAnalyze();

    QCheckBox *ActivePat; // list base forms instead of surface forms
};
