#pragma once
// The built-in kanji lists the roll advisor checks a roll against, generated
// into the build from the tables in data/ (see data/SOURCES.md).
#include <QStringView>

enum class KanjiList {
    Grade1, Grade2, Grade3, Grade4, Grade5, Grade6, // education kanji by school year (1989 table)
    Junior, // jōyō kanji taught at junior-high level
    Joyo,   // the 2010 jōyō list with the traditional forms it prints
    Level2, // JIS X 0208 level 2, in JIS order
};

// The list as one string of kanji. Jōyō also holds 叱 填 剥 頬, the forms the
// list permits for 𠮟 塡 剝 頰: Shift-JIS text can hold only those.
QStringView kanjiList(KanjiList list);

// Whether `c` is in `list`.
bool isInKanjiList(KanjiList list, char32_t c);

// Whether `c` is an education kanji of school years 1 to `grade` (none for 0).
bool isTaughtByGrade(char32_t c, int grade);
