#include "platform/X11KeyTyper.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <climits>

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
    m_clock.start();
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
    restoreAll();
}

bool X11KeyTyper::settled(const Slot &slot) const
{
    return slot.lastPress < 0 || m_clock.elapsed() - slot.lastPress >= m_settleMs;
}

X11KeyTyper::Slot *X11KeyTyper::slotFor(unsigned long keysym)
{
    Slot *oldest = nullptr;
    for (Slot &slot : m_slots) {
        if (slot.keysym == keysym && !slot.enter)
            return &slot;
        // Never a keycode this run has mapped (its key is still to go), nor
        // one whose last key the target may not have read yet.
        if (slot.enter || slot.run == m_run || !settled(slot))
            continue;
        if (!oldest || slot.lastPress < oldest->lastPress)
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
            return at;
        slot->run = m_run;
    }
    return text.size();
}

int X11KeyTyper::msUntilFree() const
{
    qint64 wait = INT_MAX;
    const qint64 now = m_clock.elapsed();
    for (const Slot &slot : m_slots) {
        if (slot.enter)
            continue;
        wait = std::min(wait, slot.lastPress < 0 ? 0 : std::max<qint64>(0, slot.lastPress + m_settleMs - now));
    }
    return wait == INT_MAX ? 0 : int(wait);
}

void X11KeyTyper::typeRun(QStringView text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to;) {
        const unsigned long keysym = keysymForCharacter(characterAt(text, i));
        for (const Slot &slot : m_slots) {
            if (keysym != 0 && slot.keysym == keysym && !slot.enter) {
                tap(slot.keycode);
                break;
            }
        }
    }
}

unsigned char X11KeyTyper::enterKeycode()
{
    for (const Slot &slot : m_slots) {
        if (slot.enter)
            return slot.keycode;
    }
    Slot *free = nullptr;
    for (Slot &slot : m_slots) {
        if (settled(slot) && (!free || slot.lastPress < free->lastPress))
            free = &slot;
    }
    if (!free)
        return 0;
    free->enter = true;
    setKeysym(*free, XK_Return);
    XSync(m_display, False); // the mapping stands before the first Enter
    return free->keycode;
}

void X11KeyTyper::tap(unsigned char keycode)
{
    XTestFakeKeyEvent(m_display, keycode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, keycode, False, CurrentTime);
    for (Slot &slot : m_slots) {
        if (slot.keycode == keycode)
            slot.lastPress = m_clock.elapsed();
    }
}

void X11KeyTyper::keysDeliveredNow()
{
    for (Slot &slot : m_slots) {
        if (slot.lastPress >= 0)
            slot.lastPress = m_clock.elapsed();
    }
}

bool X11KeyTyper::restore()
{
    bool changed = false;
    bool allBack = true;
    for (Slot &slot : m_slots) {
        if (slot.keysym == 0)
            continue;
        if (!settled(slot)) {
            allBack = false;
            continue;
        }
        setKeysym(slot, 0);
        slot.enter = false;
        slot.run = 0;
        changed = true;
    }
    if (changed)
        XFlush(m_display);
    return allBack;
}

void X11KeyTyper::restoreAll()
{
    for (Slot &slot : m_slots)
        slot.lastPress = -1;
    restore();
}
