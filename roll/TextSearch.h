#pragma once
// Find and replace-all over the roll text: exact, case-sensitive, forward.
#include <QString>
#include <QStringView>

// Position of the first `needle` in `text` at or after `from`; -1 when there
// is none, when `needle` is empty or when `from` lies past the end.
qsizetype FindForward(QStringView text, QStringView needle, qsizetype from);

// Where a find starts: just past the current match when there is a selection
// (its start plus the length of the search text), else the start of the roll.
qsizetype FindStart(bool hasSelection, qsizetype selectionStart, QStringView needle);

// `text` with every occurrence of `needle` replaced by `replacement`. The scan
// goes on in the text after each match, so a replacement that contains the
// search text is not replaced again. An empty needle replaces nothing.
// `count`, when given, receives the number of replacements.
QString ReplaceAll(QStringView text, QStringView needle, QStringView replacement,
                   qsizetype *count = nullptr);
