#pragma once
// Readings come from the analyser in katakana; the dictionary export wants
// them in hiragana, as the platform's kana mapping of a Shift-JIS text gives
// them.
#include <QString>
#include <QStringView>

// The most Shift-JIS bytes a mapped reading may take (the mapping's buffer
// holds one byte more, for its terminator).
inline constexpr int kKanaMappingLimit = 254;

// `text` with katakana turned into hiragana: full-width katakana, and
// half-width katakana with their sound marks joined (ｶﾞ → が). Katakana that
// Shift-JIS has no hiragana for (ヴ ヵ ヶ) and everything else stay as they
// are. A null string when the result would not fit in kKanaMappingLimit
// Shift-JIS bytes.
QString katakanaToHiragana(QStringView text);
