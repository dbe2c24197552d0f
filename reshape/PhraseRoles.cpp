#include "reshape/PhraseRoles.h"

#include <QChar>

#include <unicode/uchar.h>

#include <initializer_list>

namespace {

bool startsWithAny(QStringView text, std::initializer_list<QStringView> heads)
{
    for (const QStringView head : heads) {
        if (text.startsWith(head))
            return true;
    }
    return false;
}

} // namespace

PhraseRole phraseRoleOfPartOfSpeech(QStringView pos)
{
    if (pos.startsWith(u"記号-括弧開"))
        return PhraseRole::Opening;
    if (pos.startsWith(u"記号-アルファベット"))
        return PhraseRole::Content;
    if (startsWithAny(pos, {u"記号-括弧閉", u"記号-句点", u"記号-読点"}))
        return PhraseRole::Closing;
    if (startsWithAny(pos, {u"助詞", u"助動詞", u"記号", u"動詞-非自立", u"動詞-接尾", u"形容詞-非自立",
                            u"形容詞-接尾", u"名詞-接尾", u"名詞-非自立"}))
        return PhraseRole::Dependent;
    if (pos.startsWith(u"接頭詞"))
        return PhraseRole::Prefix;
    if (pos.startsWith(u"名詞-数"))
        return PhraseRole::Number;
    if (pos.startsWith(u"名詞"))
        return PhraseRole::Noun;
    return PhraseRole::Content;
}

PhraseRole phraseRoleOfWord(QStringView partOfSpeech, QStringView baseForm)
{
    if (partOfSpeech.startsWith(u"名詞-サ変接続"))
        return PhraseRole::VerbalNoun;
    // The forms of 「する」 the analyser gives their own base form: 「使用さるべき」
    // 「納得せられん」「説明できる」.
    if (partOfSpeech.startsWith(u"動詞-自立")
        && (baseForm == u"する" || baseForm == u"さる" || baseForm == u"せる" || baseForm == u"できる"
            || baseForm == u"出来る" || baseForm == u"為る"))
        return PhraseRole::Suru;
    return phraseRoleOfPartOfSpeech(partOfSpeech);
}

bool isLatinOrDigit(char32_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')
        || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) // accented Latin
        || (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A);
}

PhraseRole phraseRoleOfCharacter(char32_t c)
{
    // The line-breaking classes already sort characters into those that may
    // not start a line and those that may not end one.
    switch (u_getIntPropertyValue(UChar32(c), UCHAR_LINE_BREAK)) {
    case U_LB_OPEN_PUNCTUATION:
        return PhraseRole::Opening;
    case U_LB_PREFIX_NUMERIC: // 「¥」「＄」 hold on to the number after them
        return PhraseRole::Prefix;
    case U_LB_CLOSE_PUNCTUATION:
    case U_LB_CLOSE_PARENTHESIS:
    case U_LB_EXCLAMATION:
    case U_LB_INFIX_NUMERIC:
    case U_LB_NONSTARTER:
    case U_LB_CONDITIONAL_JAPANESE_STARTER:
        return PhraseRole::Closing;
    case U_LB_POSTFIX_NUMERIC:
    case U_LB_INSEPARABLE:
    case U_LB_SPACE:
    case U_LB_BREAK_AFTER:
    case U_LB_HYPHEN:
    case U_LB_COMBINING_MARK:
    case U_LB_ZWJ:
        return PhraseRole::Dependent;
    case U_LB_QUOTATION: // 「"」 and friends: the quote's own direction decides
        if (QChar::category(c) == QChar::Punctuation_InitialQuote)
            return PhraseRole::Opening;
        return PhraseRole::Closing;
    default:
        return PhraseRole::Content;
    }
}

PhraseJoint phraseJoint(PhraseRole before, PhraseRole after)
{
    if (before == PhraseRole::Prefix || before == PhraseRole::Opening || after == PhraseRole::Dependent
        || after == PhraseRole::Closing)
        return PhraseJoint::Inside;
    if (before == PhraseRole::VerbalNoun && after == PhraseRole::Suru)
        return PhraseJoint::Inside;
    if (before == PhraseRole::Number && after == PhraseRole::Number)
        return PhraseJoint::Inside;
    const auto noun = [](PhraseRole r) {
        return r == PhraseRole::Noun || r == PhraseRole::VerbalNoun || r == PhraseRole::Number;
    };
    if (noun(before) && noun(after))
        return PhraseJoint::Compound;
    return PhraseJoint::Between;
}
