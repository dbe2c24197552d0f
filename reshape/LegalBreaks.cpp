#include "reshape/LegalBreaks.h"

#include "reshape/CodePoints.h"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>

#include <algorithm>
#include <cstdint>

struct LegalBreaks::Iterator {
    std::unique_ptr<icu::BreakIterator> breaks;
    QStringView text;
    bool textSet = false;   // handed to the iterator only when first needed
    bool everywhere = true; // no rules, or a text too long for them

    void setText()
    {
        textSet = true;
        everywhere = true;
        if (!breaks || text.size() > INT32_MAX)
            return;
        // The iterator reads the text where it is: no copy of a long line.
        UErrorCode status = U_ZERO_ERROR;
        UText *ut = utext_openUChars(nullptr, reinterpret_cast<const UChar *>(text.utf16()), text.size(), &status);
        if (U_SUCCESS(status)) {
            breaks->setText(ut, status);
            everywhere = U_FAILURE(status);
        }
        // The iterator keeps a clone of the UText of its own; ours can go.
        utext_close(ut);
    }
};

namespace {

int breakClass(char32_t c)
{
    return u_getIntPropertyValue(UChar32(c), UCHAR_LINE_BREAK);
}

// The answer of the rules for the places they settle by the two characters
// alone, whatever surrounds them: -1 when the iterator must be asked.
int settledByPair(int before, int after)
{
    // Between two ideographs (kanji, ordinary kana) a break is always allowed;
    // so it is from an ideograph or a closing bracket to an ideograph, a
    // letter or an opening bracket, and from a letter to an ideograph.
    const bool ideographOrClose = before == U_LB_IDEOGRAPHIC || before == U_LB_CLOSE_PUNCTUATION;
    if (ideographOrClose && (after == U_LB_IDEOGRAPHIC || after == U_LB_ALPHABETIC || after == U_LB_OPEN_PUNCTUATION))
        return 1;
    if (before == U_LB_ALPHABETIC && after == U_LB_IDEOGRAPHIC)
        return 1;
    // Letters and digits run together whatever surrounds them.
    const auto letterOrDigit = [](int c) { return c == U_LB_ALPHABETIC || c == U_LB_NUMERIC; };
    if (letterOrDigit(before) && letterOrDigit(after))
        return 0;
    // Never before closing marks, stops, nonstarters (small kana in the strict
    // rules, 「ー」, iteration marks), blanks, hyphens and combining marks.
    switch (after) {
    case U_LB_CLOSE_PUNCTUATION:
    case U_LB_CLOSE_PARENTHESIS:
    case U_LB_EXCLAMATION:
    case U_LB_INFIX_NUMERIC:
    case U_LB_BREAK_SYMBOLS:
    case U_LB_NONSTARTER:
    case U_LB_CONDITIONAL_JAPANESE_STARTER:
    case U_LB_SPACE:
    case U_LB_BREAK_AFTER:
    case U_LB_HYPHEN:
    case U_LB_COMBINING_MARK:
    case U_LB_ZWJ:
        return 0;
    default:
        break;
    }
    // Never after opening marks and the characters that hold on to the next.
    if (before == U_LB_OPEN_PUNCTUATION || before == U_LB_BREAK_BEFORE || before == U_LB_GLUE)
        return 0;
    return -1;
}



} // namespace

LegalBreaks::LegalBreaks() : m_iterator(std::make_unique<Iterator>())
{
    UErrorCode status = U_ZERO_ERROR;
    m_iterator->breaks.reset(icu::BreakIterator::createLineInstance(icu::Locale("ja@lb=strict"), status));
    if (U_FAILURE(status))
        m_iterator->breaks.reset();
}

LegalBreaks::~LegalBreaks() = default;

bool LegalBreaks::isAvailable() const
{
    return m_iterator->breaks != nullptr;
}

void LegalBreaks::setText(QStringView text)
{
    m_iterator->text = text;
    m_iterator->textSet = false;
}

bool LegalBreaks::isLegal(qsizetype pos)
{
    Iterator &it = *m_iterator;
    if (pos <= 0 || pos >= it.text.size())
        return false;
    // Most places asked about are settled by their two characters: no need
    // to wake the iterator, which backs up and reads forward for each answer.
    const int before = breakClass(codePointBefore(it.text, pos));
    const int after = breakClass(codePointAt(it.text, pos));
    const int settled = settledByPair(before, after);
    if (settled >= 0)
        return settled == 1;
    // After blanks a line may break before a letter, a digit or an
    // ideograph, unless the blanks follow an opening bracket.
    if (before == U_LB_SPACE && (after == U_LB_ALPHABETIC || after == U_LB_NUMERIC || after == U_LB_IDEOGRAPHIC)) {
        qsizetype q = pos - 1;
        while (q > 0 && it.text[q - 1] == u' ')
            --q;
        if (it.text[pos - 1] == u' ' && q > 0 && !it.text[q - 1].isSurrogate()) {
            const int head = breakClass(it.text[q - 1].unicode());
            if (head != U_LB_OPEN_PUNCTUATION && head != U_LB_QUOTATION && head != U_LB_SPACE
                && head != U_LB_ZWSPACE && head != U_LB_BREAK_BOTH && head != U_LB_COMBINING_MARK && head != U_LB_ZWJ)
                return true;
        }
    }
    if (!it.textSet)
        it.setText();
    return it.everywhere || it.breaks->isBoundary(int32_t(pos));
}

qsizetype LegalBreaks::following(qsizetype pos)
{
    Iterator &it = *m_iterator;
    const qsizetype size = it.text.size();
    if (pos + 1 >= size)
        return size;
    if (!it.textSet)
        it.setText();
    if (it.everywhere)
        return pos + 1;
    const int32_t next = it.breaks->following(int32_t(pos));
    return next == icu::BreakIterator::DONE ? size : std::min<qsizetype>(next, size);
}

void LegalBreaks::find(QStringView text, std::vector<bool> &legal)
{
    setText(text);
    m_iterator->setText();
    const qsizetype n = text.size();
    legal.assign(size_t(n) + 1, false);
    if (m_iterator->everywhere) {
        if (n > 1)
            std::fill(legal.begin() + 1, legal.end() - 1, true);
        return;
    }
    icu::BreakIterator &breaks = *m_iterator->breaks;
    breaks.first();
    for (int32_t q = breaks.next(); q != icu::BreakIterator::DONE && q < n; q = breaks.next()) {
        if (q > 0)
            legal[size_t(q)] = true;
    }
}
