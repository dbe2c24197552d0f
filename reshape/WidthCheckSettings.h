#pragma once
// The width-check settings as plain values: the caption screen's width in
// pixels and the caption font with its size in points. The width check and
// the pixel reshape take them from here, never from the settings window.
#include <QString>

struct WidthCheckSettings {
    int screenWidth = 640; // pixels
    QString font;          // a design font name ("ＭＳ ゴシック") or an installed family
    int points = 55;
    bool operator==(const WidthCheckSettings &) const = default;
};
