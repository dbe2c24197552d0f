#pragma once
// The ruby commands of the main window over the roll face: a ruby code by
// hand for the selection, and furigana for every known word of the roll.
#include "analysis/Furigana.h"
#include "analysis/WordAnalysis.h"

class RollAccess;

// Asks for the reading and wraps the selection in its ruby code, as one undo step.
void rubyForSelection(RollAccess &roll);

// Runs the analyser, then wraps every word it knows a reading for in its ruby
// code, as one undo step; the caret goes to the start. With a `grade` (1 to
// kMaxFuriganaGrade) only words holding a kanji that school year has not
// learned are wrapped (see needsFurigana). `keepGoing` watches the scan;
// without it a progress window lets the user stop it (Escape), and a stopped
// scan leaves the roll as it was.
void furiganaForRoll(RollAccess &roll, WordAnalysis &analysis, const AnalyserSettings &settings, int grade = 0,
                     const ScanProgress &keepGoing = {});
