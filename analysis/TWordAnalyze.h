#pragma once
#include "analysis/WordAnalysis.h"
#include "widgets/ToolWindow.h"

#include <functional>

class QCheckBox;
class QListWidget;
class QMenu;
class QPushButton;
class RollAccess;

// Runs the analyser over the roll with a progress window the user may stop,
// the status line saying so meanwhile; says why when it fails or was
// stopped. Returns true when the run succeeded. The reshape commands' word
// check runs it too.
bool analyseRoll(WordAnalysis &analysis, RollAccess &roll, const AnalyserSettings &settings);
// The same over `lines` in place of the roll's lines.
bool analyseRoll(WordAnalysis &analysis, RollAccess &roll, const AnalyserSettings &settings,
                 const QStringList &lines);

// What the window reaches beyond the roll and the analysis, handed in by the
// application.
struct WordAnalyzeLinks {
    std::function<AnalyserSettings()> settings; // the analyser settings window's values
    // Shows entries in the result list window under `caption`.
    std::function<void(const QString &caption, const QStringList &entries)> showLines;
    // Opens the main window's find dialog with `word` as its find text.
    std::function<void(const QString &word)> findWord;
};

// Runs the analyser over the roll and lists its words by part of speech,
// from the analysis it is given (shown again after every run, whoever ran
// it); lists the lines of a word, and exports a part of speech's words as a
// word list an input method imports as a user dictionary.
class TWordAnalyze : public ToolWindow {
    Q_OBJECT
public:
    TWordAnalyze(RollAccess &roll, WordAnalysis &analysis, WordAnalyzeLinks links);

    QCheckBox *ActivePat;    // list base forms instead of surface forms
    QPushButton *Button1;    // export
    QListWidget *WordClass;  // parts of speech of the last run
    QListWidget *WordList;   // words of the chosen part of speech
    QMenu *PopupMenu1;       // WordList's context menu

    // What is kept of the last successful run.
    const MorphemeDigest &lastRun() const { return m_analysis.lastRun(); }

public Q_SLOTS:
    // Runs the analyser over the current roll. A failed or cancelled run says
    // so and keeps the digest of the last successful run.
    void AnalyzeClick();
    // Lists the words of the chosen part of speech.
    void WordClassClick();
    // The option changed: the list shows the other forms.
    void ActivePatClick();
    // Lists the roll lines holding the chosen word in the result list window.
    void WordListDblClick();
    // Opens the main window's find dialog with the chosen word.
    void Search1Click();
    // Writes the chosen part of speech's words as a dictionary word list.
    void Button1Click();

private:
    QString selectedText(const QListWidget *list) const;

    RollAccess &m_roll;
    WordAnalysis &m_analysis;
    WordAnalyzeLinks m_links;
};
