#include "reshape/MorphemeMap.h"

#include <vector>

namespace {

// A fingerprint of the lines put end to end (FNV-1a over the UTF-16 units).
quint64 joinedHash(const QStringList &lines)
{
    quint64 h = 14695981039346656037ull;
    for (const QString &line : lines) {
        for (const QChar c : line) {
            h ^= c.unicode();
            h *= 1099511628211ull;
        }
    }
    return h;
}

bool isBlankOrControl(char16_t c)
{
    return c <= 0x20 || c == 0x3000 || (c >= 0x7F && c <= 0x9F);
}

// The role of one record. A mark the analyser tags as a mere symbol
// (「~」「$」「"」 are all 記号-一般) leans as its character does.
PhraseRole roleOfRecord(QStringView surface, QStringView partOfSpeech, QStringView baseForm)
{
    const PhraseRole role = phraseRoleOfWord(partOfSpeech, baseForm);
    if (role == PhraseRole::Dependent && partOfSpeech.startsWith(u"記号") && surface.size() == 1)
        return phraseRoleOfCharacter(surface[0].unicode());
    return role;
}

quint8 startOf(PhraseRole role)
{
    return quint8(MorphemeMap::kStart | quint8(role));
}

// The analysed text as the analyser read it: the lines that are no comment,
// end to end; positions are offsets in all the lines end to end.
class Reader {
public:
    Reader(const QStringList &lines, const CommentKinds &kinds, QByteArray &codes)
        : m_lines(lines), m_kinds(kinds), m_codes(codes)
    {
        settle();
    }
    bool atEnd() const { return m_line >= m_lines.size(); }
    char16_t current() const { return m_lines.at(m_line)[m_pos].unicode(); }
    qint64 offset() const { return m_base + m_pos; }
    // Moves past one character (a surrogate pair is one), marking its units.
    void step(quint8 firstCode)
    {
        const QString &line = m_lines.at(m_line);
        m_codes[offset()] = char(firstCode);
        const bool pair = line[m_pos].isHighSurrogate() && m_pos + 1 < line.size() && line[m_pos + 1].isLowSurrogate();
        ++m_pos;
        if (pair) {
            m_codes[offset()] = char(MorphemeMap::kInside);
            ++m_pos;
        }
        settle();
    }

private:
    // Onto the next character the analyser read, past comment and empty lines.
    void settle()
    {
        while (m_line < m_lines.size()) {
            const QString &line = m_lines.at(m_line);
            if (m_pos < line.size() && (m_pos > 0 || !IsRecognisedComment(line, m_kinds)))
                return;
            m_base += line.size();
            m_pos = 0;
            ++m_line;
        }
    }

    const QStringList &m_lines;
    const CommentKinds &m_kinds;
    QByteArray &m_codes;
    qsizetype m_line = 0;
    qsizetype m_pos = 0;
    qint64 m_base = 0;
};

} // namespace

MorphemeMap MorphemeMap::build(const QStringList &lines, const CommentKinds &kinds, const RecordSource &records)
{
    MorphemeMap map;
    qint64 total = 0;
    for (const QString &line : lines)
        total += line.size();
    map.m_codes.fill(char(kUnread), total);
    map.m_hash = joinedHash(lines);
    Reader text(lines, kinds, map.m_codes);
    // A blank the analyser skipped leans as its character does.
    const auto skipBlank = [&text] { text.step(startOf(phraseRoleOfCharacter(text.current()))); };
    std::vector<qint8> roles; // per distinct record: its role + 1, 0 not yet known
    records([&](qsizetype distinct, QStringView surface, QStringView partOfSpeech, QStringView baseForm) {
        if (surface.isEmpty() || text.atEnd())
            return;
        const char16_t first = surface[0].unicode();
        while (!text.atEnd() && text.current() != first && isBlankOrControl(text.current()))
            skipBlank();
        if (text.atEnd())
            return;
        // The surfaces are laid on by their lengths, not matched: the text
        // went to the analyser through Shift-JIS, which may have changed a
        // character into another of the same length.
        quint8 role;
        if (distinct >= 0) {
            if (size_t(distinct) >= roles.size())
                roles.resize(size_t(distinct) + 1, 0);
            qint8 &known = roles[size_t(distinct)];
            if (!known)
                known = qint8(qint8(roleOfRecord(surface, partOfSpeech, baseForm)) + 1);
            role = quint8(known - 1);
        } else {
            role = quint8(roleOfRecord(surface, partOfSpeech, baseForm));
        }
        // One character of the text for each of the surface's: a character
        // Shift-JIS cannot hold (a surrogate pair too) came back as one "?".
        quint8 code = startOf(PhraseRole(role));
        for (qsizetype i = 0; i < surface.size() && !text.atEnd(); ++i) {
            if (surface[i].isLowSurrogate())
                continue;
            text.step(code);
            code = kInside;
        }
    });
    // Blanks after the last word were read too.
    while (!text.atEnd() && isBlankOrControl(text.current()))
        skipBlank();
    return map;
}

bool MorphemeMap::covers(const QStringList &lines) const
{
    qint64 total = 0;
    for (const QString &line : lines)
        total += line.size();
    return total == m_codes.size() && joinedHash(lines) == m_hash;
}
