#pragma once
#include "analysis/MorphemeDigest.h"
#include "widgets/ToolWindow.h"

class QCheckBox;
class QListWidget;

// Runs the analyser over the roll and lists its words by part of speech. Holds
// the digest of the last successful run, which other commands read.
class TWordAnalyze : public ToolWindow {
    Q_OBJECT
public:
    TWordAnalyze();

    QCheckBox *ActivePat;    // list base forms instead of surface forms
    QListWidget *WordClass;  // parts of speech of the last run
    QListWidget *WordList;   // words of the chosen part of speech

    // The analyser's output of the last successful run, each line once.
    const MorphemeDigest &lastRun() const { return m_lastRun; }

public Q_SLOTS:
    // Runs the analyser over the current roll. A failed or cancelled run says
    // so and keeps the digest of the last successful run.
    void AnalyzeClick();

private:
    MorphemeDigest m_lastRun;
};
