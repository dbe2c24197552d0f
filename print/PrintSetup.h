#pragma once
// The print settings as plain values: what every print command reads at the
// moment it runs, never the settings window's controls.
#include <QString>

struct PrintSetup {
    QString printer;                          // empty: the system's default printer
    QString font = QStringLiteral("ＭＳ ゴシック"); // a design font name or an installed family
    int points = 10;
    int columns = 1;                          // of split printing, 1–5
    bool operator==(const PrintSetup &) const = default;
};
