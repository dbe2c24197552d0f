#pragma once
// The character at or before an offset of UTF-16 text, a surrogate pair read
// as one; a lone surrogate is read as itself.
#include <QChar>
#include <QStringView>

inline char32_t codePointAt(QStringView text, qsizetype pos)
{
    const QChar c = text[pos];
    if (c.isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[pos + 1]);
    return c.unicode();
}

inline char32_t codePointBefore(QStringView text, qsizetype pos)
{
    const QChar c = text[pos - 1];
    if (c.isLowSurrogate() && pos >= 2 && text[pos - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[pos - 2], c);
    return c.unicode();
}
