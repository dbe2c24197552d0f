#include "analysis/KanjiLists.h"

#include "analysis/KanjiListsData.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kListCount = int(KanjiList::Level2) + 1;

const QString &joyoWithPermittedForms()
{
    // The list prints 𠮟 塡 剝 頰, which Shift-JIS lacks; a roll has the
    // permitted forms instead.
    static const QString joyo = kanjidata::kJoyo2010.toString() + u"叱填剥頬"_s;
    return joyo;
}

// Membership bits per character of the one block a roll's kanji are taken
// from: eleven list searches per kanji become one table read.
constexpr char32_t kFirst = 0x4E00;
constexpr char32_t kLast = 0x9FFF;

const std::vector<quint16> &membership()
{
    static const std::vector<quint16> table = [] {
        std::vector<quint16> bits(kLast - kFirst + 1, 0);
        for (int list = 0; list < kListCount; ++list) {
            for (const char32_t c : kanjiList(KanjiList(list)).toUcs4()) {
                if (c >= kFirst && c <= kLast)
                    bits[c - kFirst] |= quint16(1u << list);
            }
        }
        return bits;
    }();
    return table;
}

} // namespace

QStringView kanjiList(KanjiList list)
{
    switch (list) {
    case KanjiList::Grade1: return kanjidata::kGrade1;
    case KanjiList::Grade2: return kanjidata::kGrade2;
    case KanjiList::Grade3: return kanjidata::kGrade3;
    case KanjiList::Grade4: return kanjidata::kGrade4;
    case KanjiList::Grade5: return kanjidata::kGrade5;
    case KanjiList::Grade6: return kanjidata::kGrade6;
    case KanjiList::Junior: return kanjidata::kJunior;
    case KanjiList::Joyo: return joyoWithPermittedForms();
    case KanjiList::Level2: return kanjidata::kLevel2;
    }
    return {};
}

bool isInKanjiList(KanjiList list, char32_t c)
{
    if (c >= kFirst && c <= kLast)
        return membership()[c - kFirst] & (1u << int(list));
    const char32_t one[] = {c};
    return kanjiList(list).contains(QString::fromUcs4(one, 1));
}

bool isTaughtByGrade(char32_t c, int grade)
{
    const int years = std::clamp(grade, 0, 6);
    // The grade lists are the first six bits of the membership table.
    static_assert(int(KanjiList::Grade1) == 0 && int(KanjiList::Grade6) == 5);
    if (c >= kFirst && c <= kLast)
        return membership()[c - kFirst] & ((1u << years) - 1);
    for (int year = 1; year <= years; ++year) {
        if (isInKanjiList(KanjiList(int(KanjiList::Grade1) + year - 1), c))
            return true;
    }
    return false;
}
