#pragma once
// Typing any character through XTest. Characters are lent keycodes that carry
// no symbol on this keyboard, a pool used in turn. A target may look a key's
// symbol up only when it reads the key, some time after it came (programs
// under Wine do): a keycode is lent anew only once the settle time has passed
// since its last press, so a key already sent keeps its meaning. Include after
// every Qt header (Xlib).
#include <QElapsedTimer>
#include <QStringView>

#include "platform/X11Display.h"

#include <vector>

class X11KeyTyper {
public:
    explicit X11KeyTyper(Display *display);
    ~X11KeyTyper(); // gives every lent keycode back

    // False when the keyboard has too few spare keycodes (one for the Enter
    // and one for characters): nothing can be typed.
    bool canType() const { return m_slots.size() >= 2; }
    // How long after its last press a keycode may still be unread.
    void setSettleMs(int ms) { m_settleMs = ms; }

    // Lends keycodes to the characters of `text` from `from` on, as long as
    // settled keycodes last, and returns where that run ends: `from` when no
    // keycode is free now (see msUntilFree).
    qsizetype mapRun(QStringView text, qsizetype from);
    // Milliseconds until a keycode that mapRun may lend settles (0: one has).
    int msUntilFree() const;
    // Presses and releases the key of each character in [from, to), which
    // mapRun has mapped last. Characters no key can carry are left out.
    void typeRun(QStringView text, qsizetype from, qsizetype to);
    // A spare keycode that carries Return, lent for as long as the typer
    // keeps its keys; 0 when there is none. Our own Enter goes there, so that
    // holding the user's Return key away from the target does not catch it.
    unsigned char enterKeycode();
    // Presses and releases a keycode of ours, noting the time.
    void tap(unsigned char keycode);
    // Keys sent so far reach the target only now (the keyboard was frozen).
    void keysDeliveredNow();
    // Gives back the lent keycodes whose last press has settled; true when
    // none is lent any more.
    bool restore();
    // Gives every keycode back now (the display is closing).
    void restoreAll();

private:
    struct Slot {
        unsigned char keycode = 0;
        unsigned long keysym = 0; // 0: not lent
        qint64 lastPress = -1;    // ms on m_clock; -1: never pressed
        quint64 run = 0;          // the run that mapped or used it last
        bool enter = false;       // reserved for our Enter
        bool dirty = false;       // keysym changed, not yet sent to the server
    };
    bool settled(const Slot &slot) const;
    Slot *slotFor(unsigned long keysym);
    void setKeysym(Slot &slot, unsigned long keysym);
    // Sends the keysyms changed since to the server, in one request.
    void flush();

    Display *m_display;
    std::vector<Slot> m_slots;
    QElapsedTimer m_clock;
    int m_settleMs = 100;
    quint64 m_run = 0;
};

// The keysym that types `c`, 0 for a character no key produces (C0 controls
// other than the tab).
unsigned long keysymForCharacter(char32_t c);
