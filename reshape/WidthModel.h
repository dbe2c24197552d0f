#pragma once
// How wide text is on the caption screen: in half-width cells, or in pixels
// of the caption font. One breaking routine serves both. Widths add up: the
// width of a text is the sum of its characters' widths; sums are 64-bit, since
// a long line in a large font passes 2^31 pixels.
#include "platform/Fonts.h"
#include "reshape/DisplayWidth.h"

#include <QStringView>

class WidthModel {
public:
    virtual ~WidthModel() = default;
    virtual qint64 width(QStringView text) = 0;
};

// Half-width cells, ambiguous characters wide.
class CellWidth : public WidthModel {
public:
    qint64 width(QStringView text) override { return MecsStringWidth(text, true); }
};

// Pixels of a font at a point size on a 96-dpi screen (needs a QGuiApplication).
class PixelWidth : public WidthModel {
public:
    PixelWidth(const QString &fontName, int pointSize) : m_measure(fontName, pointSize) {}
    qint64 width(QStringView text) override { return m_measure.width(text); }

private:
    TextMeasure m_measure;
};
