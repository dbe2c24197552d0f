#pragma once
// The CLIPBOARD selection as a paste needs it: owned for a moment with the
// line, then given back to what the user had copied. Include after every Qt
// header (Xlib).
#include <QByteArray>
#include <QMimeData>

#include "platform/X11Display.h"

#include <functional>
#include <memory>

class X11ClipboardOwner {
public:
    // `helper`: an unmapped window of ours that owns the selection and takes
    // the transfers; `wait` handles events until a condition or a time limit.
    using Wait = std::function<bool(const std::function<bool()> &done, int timeoutMs)>;
    X11ClipboardOwner(Display *display, Window helper, Wait wait);
    ~X11ClipboardOwner();

    // Remembers what the clipboard holds now, as text, before it is taken
    // (nothing to do while a line is still on offer: the user's is known).
    void saveUserClipboard();
    // Owns the clipboard with `utf8`; false when the server did not give it.
    bool offer(const QByteArray &utf8);
    // True once a requestor has been served the text offered last.
    bool textServed() const { return m_textServed; }
    // True once any request (the list of forms too) came since the offer.
    bool askedSinceOffer() const { return m_asked; }
    // Gives the clipboard back: the saved text served by us again (or Qt's
    // own data handed back to Qt), or no owner when there was none. With
    // `onceServed`, and the line not asked for yet, that waits until the
    // target has taken it: a slow target may ask after the keys were sent.
    void restoreUserClipboard(bool onceServed = false);
    // True while a line waits for its target (the user's clipboard is ours).
    bool lineOnOffer() const { return m_lineOnOffer; }

    // Handles selection events of our helper window; false for other events.
    bool handle(XEvent &event);

private:
    void serve(const XSelectionRequestEvent &request);

    Display *m_display;
    Window m_helper;
    Wait m_wait;
    Atom m_clipboard, m_targets, m_utf8, m_text, m_plainUtf8, m_transfer;
    bool m_owning = false;
    QByteArray m_served;            // what requestors get while we own it
    bool m_textServed = false;
    bool m_asked = false;
    bool m_lineOnOffer = false;
    bool m_restoreWhenServed = false;
    enum class Saved { Nothing, Text, QtData } m_saved = Saved::Nothing;
    QByteArray m_savedText;
    std::unique_ptr<QMimeData> m_savedQtData;
    bool m_fetchDone = false;       // a SelectionNotify for our fetch came
    int m_ownClears = 0;            // SelectionClear notices of our own giving up, still to come
};
