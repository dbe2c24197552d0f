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
    slot.keysym = keysym;
    slot.dirty = true;
}

void X11KeyTyper::flush()
{
    // One change of the mapping for all keycodes lent at once: every client
    // refreshes its keyboard tables at each change (a window manager regrabs
    // its keys, Wine rebuilds its key table), so one per character would
    // keep the whole desktop busy. The keycodes between ours keep what they
    // carry now.
    int low = 256, high = -1;
    for (const Slot &slot : m_slots) {
        if (slot.dirty) {
            low = std::min(low, int(slot.keycode));
            high = std::max(high, int(slot.keycode));
        }
    }
    if (high < 0)
        return;
    const int count = high - low + 1;
    int perCode = 0;
    KeySym *current = XGetKeyboardMapping(m_display, KeyCode(low), count, &perCode);
    const int columns = std::max(perCode, kColumns);
    std::vector<KeySym> map(size_t(count) * size_t(columns), NoSymbol);
    for (int code = 0; code < count && current; ++code) {
        for (int i = 0; i < perCode; ++i)
            map[size_t(code * columns + i)] = current[code * perCode + i];
    }
    if (current)
        XFree(current);
    for (Slot &slot : m_slots) {
        if (!slot.dirty)
            continue;
        const int code = slot.keycode - low;
        for (int i = 0; i < columns; ++i)
            map[size_t(code * columns + i)] = i < kColumns && slot.keysym ? KeySym(slot.keysym) : NoSymbol;
        slot.dirty = false;
    }
    XChangeKeyboardMapping(m_display, low, columns, map.data(), count);
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
        if (!slot) {
            flush();
            return at;
        }
        slot->run = m_run;
    }
    flush();
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
    flush();
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
    if (changed) {
        flush();
        XFlush(m_display);
    }
    return allBack;
}

void X11KeyTyper::restoreAll()
{
    for (Slot &slot : m_slots)
        slot.lastPress = -1;
    restore();
}
