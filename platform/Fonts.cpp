#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <utility>

namespace {

const std::array<std::pair<const char16_t *, const char *>, 4> kDesignFonts = {{
    {u"ＭＳ ゴシック", "IPAGothic"},
    {u"ＭＳ Ｐゴシック", "IPAPGothic"},
    {u"ＭＳ 明朝", "IPAMincho"},
    {u"ＭＳ Ｐ明朝", "IPAPMincho"},
}};

} // namespace

QString substituteFontFamily(const QString &name)
{
    for (const auto &[design, ipa] : kDesignFonts) {
        if (name == QString::fromUtf16(design))
            return QString::fromLatin1(ipa);
    }
    return name;
}

void installFontSubstitutions()
{
    for (const auto &[design, ipa] : kDesignFonts)
        QFont::insertSubstitution(QString::fromUtf16(design), QString::fromLatin1(ipa));
}

QStringList installedFontNames()
{
    QStringList names = QFontDatabase::families();
    for (const auto &[design, ipa] : kDesignFonts) {
        const QString alias = QString::fromUtf16(design);
        // A Japanese session lists the IPA fonts by their Japanese names
        // ("IPAゴシック"): ask for the family by its name in any language.
        if (QFontDatabase::hasFamily(QString::fromLatin1(ipa)) && !names.contains(alias))
            names.append(alias);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

int pixelsAt96Dpi(int pointSize)
{
    // As the Windows font height -MulDiv(pt, 96, 72): rounded, not truncated.
    return (pointSize * 96 + 36) / 72;
}

QFont fontAt96Dpi(const QString &name, int pointSize)
{
    QFont font(substituteFontFamily(name));
    font.setPixelSize(std::max(1, pixelsAt96Dpi(pointSize)));
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

TextMeasure::TextMeasure(const QString &fontName, int pointSize)
    : m_font(fontAt96Dpi(fontName, pointSize))
{
}

int TextMeasure::charWidth(char32_t codePoint)
{
    const auto it = m_cache.constFind(codePoint);
    if (it != m_cache.cend())
        return *it;
    const char32_t units[] = {codePoint};
    const qreal advance = QFontMetricsF(m_font).horizontalAdvance(QString::fromUcs4(units, 1));
    const int pixels = int(advance + 0.5);
    m_cache.insert(codePoint, pixels);
    return pixels;
}

qint64 TextMeasure::width(QStringView text)
{
    qint64 total = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        total += charWidth(cp);
    }
    return total;
}

qint64 textWidthAt96Dpi(const QString &text, const QString &fontName, int pointSize)
{
    return TextMeasure(fontName, pointSize).width(text);
}
