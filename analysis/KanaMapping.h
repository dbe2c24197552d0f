#pragma once
// Katakana to hiragana, as the analyser's readings are shown to readers.
#include <QString>
#include <QStringView>

// Maps full-width and half-width katakana to hiragana; everything else stays
// as it is. Half-width kana take their voiced marks along (ｶﾞ → が), and the
// half-width prolonged sound and voicing marks become their full-width forms.
// The result stays within Shift-JIS: ヴ ヵ ヶ, whose hiragana Shift-JIS cannot
// hold, stay katakana (ｳﾞ becomes ヴ).
QString katakanaToHiragana(QStringView text);
