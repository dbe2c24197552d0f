#pragma once
// The checks that find the first over-long caption line, and the character
// total. Comment lines are never reported.
#include <QStringList>

#include <functional>

// Index of the first caption line wider than `limitCells` half-width cells
// (ambiguous characters wide), or -1 when every caption line fits.
int findOverlongByCount(const QStringList &lines, int limitCells);

struct PixelOverrun {
    int line = -1;  // index of the first caption line wider than the screen, -1 none
    qint64 excess = 0; // its width minus the screen width, in pixels
};

// The first caption line whose width, as `measure` gives it in pixels, is
// greater than `screenWidth`.
PixelOverrun findOverlongByPixels(const QStringList &lines, int screenWidth,
                                  const std::function<qint64(const QString &)> &measure);

// All lines' lengths in UTF-16 units, comment lines included, breaks not counted.
qsizetype characterTotal(const QStringList &lines);
// The same total for a roll text with "\n" between lines.
qsizetype textCharacterTotal(QStringView text);
