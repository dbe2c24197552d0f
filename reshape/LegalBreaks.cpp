#include "reshape/LegalBreaks.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <cstdint>

struct LegalBreaks::Iterator {
    std::unique_ptr<icu::BreakIterator> breaks;
};

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

void LegalBreaks::find(QStringView text, std::vector<bool> &legal)
{
    const qsizetype n = text.size();
    legal.assign(size_t(n) + 1, false);
    if (!m_iterator->breaks || n > INT32_MAX) {
        std::fill(legal.begin() + 1, legal.end() - 1, true);
        return;
    }
    // The iterator reads the text where it is: no copy of a long line.
    UErrorCode status = U_ZERO_ERROR;
    UText *ut = utext_openUChars(nullptr, reinterpret_cast<const UChar *>(text.utf16()), n, &status);
    if (U_FAILURE(status)) {
        utext_close(ut);
        std::fill(legal.begin() + 1, legal.end() - 1, true);
        return;
    }
    icu::BreakIterator &breaks = *m_iterator->breaks;
    breaks.setText(ut, status);
    for (int32_t p = breaks.next(); p != icu::BreakIterator::DONE && p < n; p = breaks.next()) {
        if (p > 0)
            legal[size_t(p)] = true;
    }
    // The iterator keeps its own clone of the UText; ours can go.
    utext_close(ut);
}
