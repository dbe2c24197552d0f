#pragma once
// Whether a window on the desktop belongs to a program under Wine, and how to
// reach that program's Wine: the same loader and prefix (one wineserver), in
// which a bridge of ours can send it window messages.
#include <QByteArray>
#include <QString>
#include <QStringList>

// What the desktop tells about the program that shows a window.
struct WineTargetFacts {
    QByteArray wmClassName;  // WM_CLASS, both parts (Wine sets "notepad.exe")
    QByteArray wmClassClass;
    QString executable;      // the process's program file; empty when unknown
    QStringList environment; // the process's "NAME=value" list; empty when unknown
};

struct WineTarget {
    bool wine = false;
    QString loader;      // the program that starts Windows programs there ("wine")
    QString prefix;      // WINEPREFIX; empty: Wine's default (~/.wine)
    QStringList locale;  // the program's LANG, LC_ALL, LC_CTYPE ("NAME=value")

    bool operator==(const WineTarget &) const = default;
};

// The process facts decide when known (a Wine process runs Wine's loader and
// carries Wine's variables); without them a Windows program name in WM_CLASS
// ("….exe") does.
WineTarget wineTargetFrom(const WineTargetFacts &facts);
