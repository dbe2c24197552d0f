#pragma once
// How a word leans on its neighbours when lines are broken between phrases.
// A phrase is one content word with the function words that lean on it:
// 「今日は」「とても」「良い」「天気です。」.
#include <QStringView>

enum class PhraseRole : quint8 {
    Content,   // starts a phrase: verbs, adjectives, adverbs, … and unknown words
    Noun,      // starts a phrase; a noun after a noun continues a compound
    VerbalNoun, // a noun as Noun, and 「する」 after it belongs to its phrase (「説明します」)
    Suru,      // 「する」 in any form (「さる」「せる」「できる」 too): a content word, but not after a verbal noun
    Number,    // a numeral: the numerals of one number and the counter after them stay together
    Prefix,    // starts a phrase and holds on to the word after it
    Dependent, // joins the phrase before it: particles, auxiliaries, suffixes
    Closing,   // joins the phrase before it and may not begin a line: 「。」「、」「」」, small kana
    Opening,   // joins the phrase after it: opening brackets and quotes
};

// The role of a word by its part of speech as the analyser names it
// ("名詞-一般", "助詞-格助詞-一般", "記号-括弧開", …).
PhraseRole phraseRoleOfPartOfSpeech(QStringView partOfSpeech);
// … and by its base form, which tells 「する」 from other verbs.
PhraseRole phraseRoleOfWord(QStringView partOfSpeech, QStringView baseForm);

// The role of a character the word list does not know, by its line-breaking
// class: closing punctuation, small kana, 「ー」 and iteration marks close;
// blanks and hyphens lean back; opening brackets lean forward; anything else
// starts a phrase.
PhraseRole phraseRoleOfCharacter(char32_t c);

// True for letters and digits that run together into one unit ("Kappa", "3.14"
// counts its digits and the point between them), half- or full-width Latin.
bool isLatinOrDigit(char32_t c);

// The strength of the boundary between two neighbouring units: a boundary
// between phrases, between the nouns of a compound, or none (inside a phrase).
enum class PhraseJoint : quint8 { Inside, Compound, Between };
PhraseJoint phraseJoint(PhraseRole before, PhraseRole after);
