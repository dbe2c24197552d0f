#include "reshape/TextUnits.h"

#include "reshape/WidthModel.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>

namespace {

// One grapheme iterator per thread: making one reads the rules afresh.
icu::BreakIterator *graphemes()
{
    thread_local std::unique_ptr<icu::BreakIterator> it = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> made(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status))
            made.reset();
        return made;
    }();
    return it.get();
}

bool plainUnit(char16_t c)
{
    // Below the combining marks nothing joins the character before it; most
    // of a roll (kana, kanji, full-width forms) joins nothing either, except
    // the separate voicing marks and the ideographic tone marks.
    if (c < 0x0300)
        return true;
    if (c >= 0x3000 && c <= 0x9FFF)
        return c != 0x3099 && c != 0x309A && (c < 0x302A || c > 0x302F);
    // Punctuation, arrows, box drawing: none joins, but for the joiners and
    // the marks made for symbols.
    if (c >= 0x2010 && c <= 0x2BFF)
        return c < 0x2028 || (c > 0x206F && (c < 0x20D0 || c > 0x20FF));
    return (c >= 0xFF01 && c <= 0xFF9D) || (c >= 0xFFA0 && c <= 0xFFEF);
}

} // namespace

TextUnits::TextUnits(QStringView text) : m_text(text)
{
    const qsizetype n = text.size();
    m_inside.assign(size_t(n) + 1, false);
    bool plain = true;
    for (qsizetype i = 0; i < n && plain; ++i)
        plain = plainUnit(text[i].unicode());
    icu::BreakIterator *it = plain ? nullptr : graphemes();
    if (it && n <= INT32_MAX) {
        UErrorCode status = U_ZERO_ERROR;
        UText *ut = utext_openUChars(nullptr, reinterpret_cast<const UChar *>(text.utf16()), n, &status);
        if (U_SUCCESS(status)) {
            it->setText(ut, status);
            if (U_SUCCESS(status)) {
                std::fill(m_inside.begin() + 1, m_inside.end() - 1, true);
                for (int32_t q = it->first(); q != icu::BreakIterator::DONE && q < n; q = it->next())
                    m_inside[size_t(q)] = false;
            }
        }
        utext_close(ut);
    } else if (!plain) {
        // No rules at hand: at least a surrogate pair stays whole.
        for (qsizetype i = 1; i < n; ++i)
            m_inside[size_t(i)] = text[i].isLowSurrogate() && text[i - 1].isHighSurrogate();
    }

    // Ruby codes. The next "`s" is searched only forwards, so a line of many
    // "`r" without one stays linear.
    qsizetype nextS = -1;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (text[i] != u'`' || text[i + 1] != u'r')
            continue;
        if (nextS < i + 2)
            nextS = text.indexOf(u"`s", i + 2);
        if (nextS < 0)
            break;
        if (m_hidden.empty())
            m_hidden.assign(size_t(n) + 1, false);
        const qsizetype base = nextS + 2;
        for (qsizetype q = i; q < base; ++q)
            m_hidden[size_t(q)] = true;
        // Nothing may part the code from the first unit of its base.
        const qsizetype end = base < n ? endOf(base) : n;
        for (qsizetype q = i + 1; q < end; ++q)
            m_inside[size_t(q)] = true;
        i = nextS + 1;
    }
}

qsizetype TextUnits::endOf(qsizetype pos) const
{
    const qsizetype n = m_text.size();
    qsizetype q = pos + 1;
    while (q < n && m_inside[size_t(q)])
        ++q;
    return std::min(q, n);
}

qsizetype TextUnits::startOf(qsizetype pos) const
{
    while (pos > 0 && m_inside[size_t(pos)])
        --pos;
    return pos;
}

qint64 shownWidth(QStringView text, WidthModel &model)
{
    if (!text.contains(u"`r"))
        return model.width(text);
    const TextUnits units(text);
    qint64 w = 0;
    qsizetype from = 0;
    for (qsizetype q = 0; q <= text.size(); ++q) {
        const bool hidden = q < text.size() && units.hiddenAt(q);
        if (hidden || q == text.size()) {
            if (q > from)
                w += model.width(text.sliced(from, q - from));
            from = q + 1;
        }
    }
    return w;
}
