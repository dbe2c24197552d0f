#pragma once
// The user's conversion list as files keep it: section "WordChangeList",
// "WordTotal" rows, each under "Word_%05d" as its key, "=", its value. The
// settings file carries the same section, so either file reads as the other.
#include "convert/CharConversion.h"

class ProfileFile;

// A row's stored text. A text the profile reader would change (blanks at
// either end, or one pair of enclosing quotes) is written inside quotes,
// which the reader takes off again, so the row comes back as it was.
QString conversionRowText(const ConversionRow &row);

// A stored row: the key ends at the first "="; the rest, further "=" signs
// included, is the value. A text without "=" is all key.
ConversionRow parseConversionRow(const QString &text);

// The rows of the section in order; none when the section or "WordTotal" is
// missing or not a number. A missing "Word_%05d" before the last one present
// reads as an empty row; a count past the entries present reads only those.
QList<ConversionRow> readConversionList(const ProfileFile &ini);

// True when the file holds the list's section with its "WordTotal" key.
bool hasConversionList(const ProfileFile &ini);

// Writes "WordTotal" and one entry per row. Entries numbered from the new
// count on, left from a longer list, stay in the file unread.
void writeConversionList(ProfileFile &ini, const QList<ConversionRow> &rows);
