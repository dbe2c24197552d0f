#pragma once
#include "analysis/WordAnalysis.h"
#include "widgets/ToolWindow.h"

class QComboBox;
class QLineEdit;

// The analyser to run and the paths of the analysers and of the document filter.
class TSetChasen : public ToolWindow {
    Q_OBJECT
public:
    TSetChasen();

    QComboBox *analyser;   // the analyser the commands run: ChaSen (0) or MeCab (1)
    QLineEdit *chasen_exe; // ChaSen's program
    QLineEdit *mecab_exe;  // MeCab's program
    QLineEdit *xdoc2txt;   // the document-to-text filter program

    // The chosen analyser with its program.
    AnalyserSettings analyserSettings() const;

    // The filter installed with the editor (next to the running program).
    static QString defaultFilterPath();

public Q_SLOTS:
    void Label5Click(); // where ChaSen comes from
    void Label6Click(); // where MeCab comes from
    void Label4Click(); // where the document filter comes from
};
