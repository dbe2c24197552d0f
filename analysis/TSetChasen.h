#pragma once
#include "analysis/WordAnalysis.h"
#include "widgets/ToolWindow.h"

class QLineEdit;

// Paths of the analyser and of the document filter.
class TSetChasen : public ToolWindow {
    Q_OBJECT
public:
    TSetChasen();

    QLineEdit *chasen_exe; // the analyser program
    QLineEdit *xdoc2txt;   // the document-to-text filter program

    AnalyserSettings analyserSettings() const;

    // The filter installed with the editor (next to the running program).
    static QString defaultFilterPath();

public Q_SLOTS:
    void Label5Click(); // where the analyser comes from
    void Label4Click(); // where the document filter comes from
};
