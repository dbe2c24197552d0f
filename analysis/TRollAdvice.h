#pragma once
#include "analysis/RollAdvisor.h"
#include "analysis/WordAnalysis.h"
#include "widgets/ToolWindow.h"

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class RollAccess;

// Reports homophones, similar names, unknown words and hard kanji in a tree;
// a double-click on a finding lists the roll lines it concerns.
class TRollAdvice : public ToolWindow {
    Q_OBJECT
public:
    // Fills the result list window with these roll lines (zero-based, in
    // order, a line as often as it comes) under `caption`, and shows it.
    using ShowLines = std::function<void(const QString &caption, const QList<int> &lineIndexes)>;

    TRollAdvice(RollAccess &roll, WordAnalysis &analysis, std::function<AnalyserSettings()> settings,
                ShowLines showLines);

    QPushButton *Button1;       // 解析
    QProgressBar *ProgressBar1; // 0–100
    QLabel *Status;
    QTreeWidget *TreeView1;

public Q_SLOTS:
    // Runs the analyser and the advisor over the roll and shows the findings.
    void Button1Click();
    // Lists the roll lines of the chosen finding.
    void TreeView1DblClick();

private:
    void showFindings(const AdviceFindings &findings);
    // Progress from `from` to `to` percent over a stage, the windows kept alive.
    AdviceProgress stage(int from, int to);

    RollAccess &m_roll;
    WordAnalysis &m_analysis;
    std::function<AnalyserSettings()> m_settings;
    ShowLines m_showLines;
};
