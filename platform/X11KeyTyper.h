#pragma once
// Typing any character through XTest. Characters are lent keycodes that carry
// no symbol on this keyboard; one keycode per distinct character, so a key
// already sent keeps its meaning while the next ones are mapped. Include after
// every Qt header (Xlib).
#include <QStringView>

#include "platform/X11Display.h"

#include <vector>

class X11KeyTyper {
public:
    explicit X11KeyTyper(Display *display);
    ~X11KeyTyper(); // gives every lent keycode back

    // False when the keyboard has no spare keycode (nothing can be typed).
    bool canType() const { return !m_slots.empty(); }

    // Lends keycodes to the characters of `text` from `from` on, as many as
    // there are keycodes for, and returns where that run ends (> from unless
    // nothing can be typed). The keys of earlier runs must have been read by
    // their target before: a keycode may be lent anew.
    qsizetype mapRun(QStringView text, qsizetype from);
    // Presses and releases the key of each character in [from, to), which
    // mapRun has mapped last. Characters no key can carry are left out.
    void typeRun(QStringView text, qsizetype from, qsizetype to);
    // Gives the lent keycodes back (their targets must have read their keys).
    void restore();

private:
    struct Slot {
        unsigned char keycode = 0;
        unsigned long keysym = 0; // 0: not lent
        quint64 lastUse = 0;
        quint64 run = 0;          // the run that used it last
    };
    Slot *slotFor(unsigned long keysym);
    void setKeysym(Slot &slot, unsigned long keysym);

    Display *m_display;
    std::vector<Slot> m_slots;
    quint64 m_clock = 0;
    quint64 m_run = 0;
};

// The keysym that types `c`, 0 for a character no key produces (C0 controls
// other than the tab).
unsigned long keysymForCharacter(char32_t c);
