#pragma once
#include "analysis/WordAnalysis.h"
#include "widgets/ToolWindow.h"

#include <functional>

class QCheckBox;
class QListWidget;
class RollAccess;

// Runs the analyser over the roll with a progress window the user may stop,
// the status line saying so meanwhile; says why when it fails or was
// stopped. Returns true when the run succeeded. The reshape commands' word
// check runs it too.
bool analyseRoll(WordAnalysis &analysis, RollAccess &roll, const AnalyserSettings &settings);

// Runs the analyser over the roll and lists its words by part of speech,
// from the analysis it is given (shown again after every run, whoever ran it).
class TWordAnalyze : public ToolWindow {
    Q_OBJECT
public:
    TWordAnalyze(RollAccess &roll, WordAnalysis &analysis, std::function<AnalyserSettings()> settings);

    QCheckBox *ActivePat;    // list base forms instead of surface forms
    QListWidget *WordClass;  // parts of speech of the last run
    QListWidget *WordList;   // words of the chosen part of speech

    // What is kept of the last successful run.
    const MorphemeDigest &lastRun() const { return m_analysis.lastRun(); }

public Q_SLOTS:
    // Runs the analyser over the current roll. A failed or cancelled run says
    // so and keeps the digest of the last successful run.
    void AnalyzeClick();

private:
    RollAccess &m_roll;
    WordAnalysis &m_analysis;
    std::function<AnalyserSettings()> m_settings;
};
