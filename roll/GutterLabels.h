#pragma once
// What the line-number gutter shows beside each roll line.
#include <QString>

// Label of line `lineIndex` (zero-based). Line-number mode: the one-based
// number. Slide mode: the roll is read as slides of `rowsPerSlide` text lines
// each followed by one separator line; a text line shows "slide-row" (both
// one-based), a separator "----". Rows per slide below 1 count as 1.
QString gutterLabel(int lineIndex, bool slideMode, int rowsPerSlide);

// Rows per slide from the user's answer: the answer as an integer (spaces
// around it allowed), 10 when it is not one. Values below 1 are kept as they
// are; gutterLabel treats them as 1.
int rowsPerSlideFromAnswer(const QString &answer);
