#pragma once
// The part-of-speech marking command: runs the analyser over the roll and
// lays the marks of its nouns and verbs over the roll view.
#include "analysis/WordAnalysis.h"

class RollAccess;

// `baseForms`: search the records' base forms instead of their surface forms
// (the word analysis window's option). A failed run is told by the run; the
// marking then works with the last successful one's records, or none.
void markPartsOfSpeech(RollAccess &roll, WordAnalysis &analysis, const AnalyserSettings &settings,
                       bool baseForms);
