#include "platform/X11KeyTyper.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>


namespace {
// The character at `i` (a surrogate pair is one) and the index after it.
char32_t characterAt(QStringView text, qsizetype &i)
{
    const QChar c = text.at(i++);
    if (c.isHighSurrogate() && i < text.size() && text.at(i).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(i++));
    return c.unicode();
}

// Two columns (plain and shifted) carry the same symbol: a held Shift or Caps
// Lock cannot change what arrives.
constexpr int kColumns = 2;
} // namespace

unsigned long keysymForCharacter(char32_t c)
{
    if (c == u'\t')
        return XK_Tab;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
        return 0;
    if (c < 0x100)
        return c; // Latin-1 keysyms are the code points themselves
    return 0x01000000 | c;
}

X11KeyTyper::X11KeyTyper(Display *display)
    : m_display(display)
{
    int minCode = 0;
    int maxCode = 0;
    XDisplayKeycodes(m_display, &minCode, &maxCode);
    int perCode = 0;
    KeySym *map = XGetKeyboardMapping(m_display, KeyCode(minCode), maxCode - minCode + 1, &perCode);
    if (!map)
        return;
    for (int code = minCode; code <= maxCode; ++code) {
        bool empty = true;
        for (int i = 0; i < perCode; ++i)
            empty = empty && map[(code - minCode) * perCode + i] == NoSymbol;
        if (empty)
            m_slots.push_back(Slot{static_cast<unsigned char>(code)});
    }
    XFree(map);
}

X11KeyTyper::~X11KeyTyper()
{
    restore();
}

X11KeyTyper::Slot *X11KeyTyper::slotFor(unsigned long keysym)
{
    Slot *oldest = nullptr;
    for (Slot &slot : m_slots) {
        if (slot.keysym == keysym)
            return &slot;
        // Never take a keycode this run has used: its key is still to go.
        if (slot.run != m_run && (!oldest || slot.lastUse < oldest->lastUse))
            oldest = &slot;
    }
    if (oldest)
        setKeysym(*oldest, keysym);
    return oldest;
}

void X11KeyTyper::setKeysym(Slot &slot, unsigned long keysym)
{
    KeySym syms[kColumns];
    for (KeySym &s : syms)
        s = keysym ? KeySym(keysym) : NoSymbol;
    XChangeKeyboardMapping(m_display, slot.keycode, kColumns, syms, 1);
    slot.keysym = keysym;
}

qsizetype X11KeyTyper::mapRun(QStringView text, qsizetype from)
{
    ++m_run;
    for (qsizetype i = from; i < text.size();) {
        const qsizetype at = i;
        const unsigned long keysym = keysymForCharacter(characterAt(text, i));
        if (keysym == 0)
            continue;
        Slot *slot = slotFor(keysym);
        if (!slot)
            return at; // every keycode serves this run already
        slot->run = m_run;
        slot->lastUse = ++m_clock;
    }
    return text.size();
}

void X11KeyTyper::typeRun(QStringView text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to;) {
        const unsigned long keysym = keysymForCharacter(characterAt(text, i));
        for (const Slot &slot : m_slots) {
            if (keysym != 0 && slot.keysym == keysym) {
                XTestFakeKeyEvent(m_display, slot.keycode, True, CurrentTime);
                XTestFakeKeyEvent(m_display, slot.keycode, False, CurrentTime);
                break;
            }
        }
    }
}

void X11KeyTyper::restore()
{
    bool changed = false;
    for (Slot &slot : m_slots) {
        if (slot.keysym != 0) {
            setKeysym(slot, 0);
            changed = true;
        }
        slot.run = 0;
    }
    if (changed)
        XFlush(m_display);
}
