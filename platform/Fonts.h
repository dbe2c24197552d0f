#pragma once
// Fonts as the rolls name them. Rolls and settings name the Windows fonts the
// caption screens were designed for ("ＭＳ ゴシック" …); here they are served by
// the metric-compatible IPA fonts, and every width is measured as on a 96-dpi
// screen so that checks give the same result on any machine.
#include <QFont>
#include <QHash>
#include <QString>
#include <QStringList>

// The installed family that serves `name`: the IPA family for the four design
// names, otherwise `name` itself.
QString substituteFontFamily(const QString &name);

// Registers the design names as Qt font substitutions (call once at start).
void installFontSubstitutions();

// Names offered in font lists: the installed families plus each design name
// whose IPA family is installed, sorted as the system lists fonts.
QStringList installedFontNames();

// Pixel height of `pointSize` points on a 96-dpi screen (rounded to nearest).
int pixelsAt96Dpi(int pointSize);

// A font for `name` at `pointSize` points, sized in pixels as on a 96-dpi screen,
// without kerning (widths are sums of character advances).
QFont fontAt96Dpi(const QString &name, int pointSize);

// Measures text as the caption screens do: each character advances by a whole
// number of pixels and a text is as wide as the sum of its characters, so
// widths add up (a line's width is the sum of its pieces' widths). Widths are
// 64-bit: a long line in a large font passes 2^31 pixels. Needs a
// QGuiApplication. Characters are measured once and remembered.
class TextMeasure {
public:
    TextMeasure(const QString &fontName, int pointSize);
    qint64 width(QStringView text);
    int charWidth(char32_t codePoint);

private:
    QFont m_font;
    QHash<char32_t, int> m_cache;
};

// Width in pixels of `text` in that font (needs a QGuiApplication).
qint64 textWidthAt96Dpi(const QString &text, const QString &fontName, int pointSize);
