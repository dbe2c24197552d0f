#include "platform/Cp932.h"

// Generated at build time from glibc iconv "CP932" by Cp932TableGen.cpp.
#include "platform/Cp932Tables.h"

#include <QSet>

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Nonzero where a byte of `w` equals `byte`; exact up to the first such byte,
// which is all the callers use.
inline std::uint64_t bytesEqual(std::uint64_t w, unsigned char byte)
{
    const std::uint64_t x = w ^ (0x0101010101010101ULL * byte);
    return (x - 0x0101010101010101ULL) & ~x & 0x8080808080808080ULL;
}

// Widens the ASCII bytes from p[i] on, 8 at a time. Roll lines mix Japanese
// with ASCII runs (timecodes, numbers, CR LF), so this is called only after an
// ASCII byte was seen. Widening all 8 before looking is safe: the output never
// runs ahead of the input, and holds as many characters as there are bytes.
// When line ends are folded the run also stops at a CR, which the caller turns
// into the one line break.
template<bool FoldLineEnds>
inline void copyAsciiRun(const unsigned char *p, qsizetype n, qsizetype &i, char16_t *&o)
{
    while (i + 8 <= n) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        for (int k = 0; k < 8; ++k)
            o[k] = p[i + k];
        std::uint64_t stop = w & 0x8080808080808080ULL;
        if constexpr (FoldLineEnds) {
            if (std::endian::native == std::endian::little)
                stop |= bytesEqual(w, '\r');
            else if (stop || bytesEqual(w, '\r'))
                return; // big-endian: let the byte loop sort it out
        }
        if (stop) {
            // Keep the plain ASCII bytes before the first stop.
            const int ascii = std::endian::native == std::endian::little
                                  ? std::countr_zero(stop) / 8
                                  : std::countl_zero(stop) / 8;
            o += ascii;
            i += ascii;
            return;
        }
        o += 8;
        i += 8;
    }
}

template<bool FoldLineEnds>
QString decode(QByteArrayView bytes, qsizetype *broken)
{
    qsizetype replaced = 0;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    // Never more characters than bytes.
    QString out(n, Qt::Uninitialized);
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *o = begin;

    qsizetype i = 0;
    while (i < n) {
        const unsigned b = p[i];
        if (b < 0x80) {
            if (FoldLineEnds && b == '\r') {
                *o++ = u'\n';
                ++i;
                if (i < n && p[i] == '\n')
                    ++i;
            } else {
                *o++ = char16_t(b);
                ++i;
            }
            copyAsciiRun<FoldLineEnds>(p, n, i, o);
            continue;
        }
        const unsigned slot = cp932tables::leadSlot[b];
        // Half-width katakana; 0x80, 0xA0, 0xFD-0xFF give U+FFFD as in glibc (Windows
        // maps them to U+0080, U+F8F0-U+F8F3, which no roll means).
        if (!slot) {
            *o = cp932tables::singleByte[b];
            replaced += *o++ == kReplacement;
            ++i;
            continue;
        }
        if (i + 1 == n) { // file cut off after a lead byte
            *o++ = kReplacement;
            ++replaced;
            ++i;
            continue;
        }
        const unsigned trail = p[i + 1];
        const char16_t c = cp932tables::pairs[slot * 256 + trail];
        if (c) {
            *o++ = c;
            i += 2;
        } else {
            // An unassigned code takes both bytes, unless the second is ASCII or
            // cannot be a trail byte (0xFD-0xFF): then it starts the next character.
            *o++ = kReplacement;
            ++replaced;
            i += (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
        }
    }
    out.truncate(o - begin);
    if (broken)
        *broken = replaced;
    return out;
}

} // namespace

QString cp932Decode(QByteArrayView bytes, LineEnds ends, qsizetype *broken)
{
    return ends == LineEnds::Fold ? decode<true>(bytes, broken) : decode<false>(bytes, broken);
}

QByteArray cp932Encode(QStringView text)
{
    const char16_t *s = text.utf16();
    const qsizetype n = text.size();
    // At most two bytes per UTF-16 unit.
    QByteArray out(n * 2, Qt::Uninitialized);
    auto *const begin = reinterpret_cast<unsigned char *>(out.data());
    unsigned char *o = begin;

    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            *o++ = static_cast<unsigned char>(c);
            continue;
        }
        const unsigned code = cp932tables::encode[c];
        if (code >= 0x100) {
            o[0] = static_cast<unsigned char>(code >> 8);
            o[1] = static_cast<unsigned char>(code);
            o += 2;
        } else if (code) {
            *o++ = static_cast<unsigned char>(code);
        } else {
            // Unrepresentable; a surrogate pair is one character, so one '?'.
            *o++ = '?';
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1]))
                ++i;
        }
    }
    out.truncate(o - begin);
    return out;
}

bool cp932CanEncode(char32_t c)
{
    if (c < 0x80)
        return true;
    if (c > 0xFFFF) // code page 932 has nothing beyond the BMP
        return false;
    return cp932tables::encode[c] != 0;
}

QString cp932UnencodableChars(QStringView text)
{
    QString result;
    QSet<char32_t> seen;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80 || cp932tables::encode[c.unicode()])
            continue;
        char32_t cp = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate())
            cp = QChar::surrogateToUcs4(c, text[++i]);
        else if (c.isSurrogate())
            cp = kReplacement; // a lone surrogate cannot be shown to anyone
        if (!seen.contains(cp)) {
            seen.insert(cp);
            result += QStringView(QChar::fromUcs4(cp));
        }
    }
    return result;
}

void Cp932Losses::add(QStringView piece)
{
    const qsizetype n = piece.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = piece[i].unicode();
        if (c == u'\n') {
            ++m_line;
            continue;
        }
        if (c < 0x80 || cp932tables::encode[c])
            continue;
        char32_t cp = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(piece[i + 1].unicode()))
            cp = QChar::surrogateToUcs4(c, piece[++i].unicode());
        else if (QChar::isSurrogate(c))
            cp = kReplacement;
        ++m_count;
        if (m_lastLine != m_line) {
            m_lastLine = m_line;
            ++m_lineCount;
            if (m_lines.size() < kMaxLines)
                m_lines << m_line;
        }
        if (!m_seen.contains(cp)) {
            m_seen.insert(cp);
            m_characters += QStringView(QChar::fromUcs4(cp));
        }
    }
}
