#pragma once
// The IPtalk slide file (.sl1): one record per line, fields separated by ","
// (text after the last comma is not a field). A record whose first field
// begins with "-" starts a page; every other record is a string of the page
// above it. Colours are 0x00BBGGRR integers.
#include <QStringList>

#include <array>

// Fields of a record line: every "," closes a field; a line without any ","
// has none.
QStringList slideFields(const QString &line);

// A colour field: a signed decimal number, or one of the names "clWhite",
// "clBlack", "clRed", "clYellow", "clBlue"; anything else gives `fallback`.
int slideColour(const QString &field, int fallback);

// Colour references (0x00BBGGRR) of the standard colours.
namespace SlideColours {
inline constexpr int Black = 0x000000;
inline constexpr int White = 0xFFFFFF;
inline constexpr int Red = 0x0000FF;
inline constexpr int Blue = 0xFF0000;
inline constexpr int Yellow = 0x00FFFF;
inline constexpr int Green = 0x008000;
inline constexpr int Orange = 4227327; // red 255, green 128, blue 64
inline constexpr int Aqua = 0xFFFF00;
inline constexpr int Fuchsia = 0xFF00FF;
} // namespace SlideColours

// What the roll-to-slide conversion needs to know.
struct SlideSettings {
    int width = 640;     // page width (screen)
    int height = 480;    // page height
    int left = 0;        // horizontal position of the page
    int top = 0;         // vertical position
    int fontSize = 10;   // base font size of every string, in points
    int pageColour = SlideColours::Black;
    int fontColour = SlideColours::White; // strings without a colour code
    bool colourCodes = false;             // apply "`0"…"`8" and ",0"…",8"
    std::array<int, 8> codeColours{SlideColours::Red,   SlideColours::Blue,   SlideColours::Yellow,
                                   SlideColours::White, SlideColours::Green,  SlideColours::Orange,
                                   SlideColours::Aqua,  SlideColours::Fuchsia};
};

// Turns roll lines into slide records: comment lines dropped, a line starting
// with "`@" starts a page titled "スライド" + its line index, every other line
// is a string of the current page. A string that would begin with "-" (and so
// read back as a page) starts with "－" instead.
QStringList convertRollToSlide(const QStringList &lines, const SlideSettings &settings);
