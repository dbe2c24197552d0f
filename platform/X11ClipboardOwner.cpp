#include <QClipboard>
#include <QGuiApplication>

#include "platform/X11ClipboardOwner.h"

#include <X11/Xatom.h>

namespace {
// An owner that does not answer within this time is taken as having nothing.
constexpr int kFetchTimeoutMs = 300;

std::unique_ptr<QMimeData> copyOf(const QMimeData *data)
{
    auto copy = std::make_unique<QMimeData>();
    if (data) {
        for (const QString &format : data->formats())
            copy->setData(format, data->data(format));
    }
    return copy;
}
} // namespace

X11ClipboardOwner::X11ClipboardOwner(Display *display, Window helper, Wait wait)
    : m_display(display)
    , m_helper(helper)
    , m_wait(std::move(wait))
{
    m_clipboard = XInternAtom(m_display, "CLIPBOARD", False);
    m_targets = XInternAtom(m_display, "TARGETS", False);
    m_utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    m_text = XInternAtom(m_display, "TEXT", False);
    m_plainUtf8 = XInternAtom(m_display, "text/plain;charset=utf-8", False);
    m_transfer = XInternAtom(m_display, "VELMAT_CLIPBOARD", False);
}

X11ClipboardOwner::~X11ClipboardOwner()
{
    if (m_owning)
        XSetSelectionOwner(m_display, m_clipboard, None, CurrentTime);
}

void X11ClipboardOwner::saveUserClipboard()
{
    if (m_lineOnOffer)
        return; // the last line is still on offer: the user's is saved
    const Window owner = XGetSelectionOwner(m_display, m_clipboard);
    if (owner == m_helper && m_owning)
        return; // we serve the user's text already since the last paste
    m_saved = Saved::Nothing;
    m_savedText.clear();
    m_savedQtData.reset();
    if (owner == None)
        return;
    // Our own process's Qt clipboard cannot answer while we wait here: take
    // its data from Qt itself.
    QClipboard *qt = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                         ? QGuiApplication::clipboard() : nullptr;
    if (qt && QGuiApplication::platformName() == QLatin1String("xcb") && qt->ownsClipboard()) {
        m_savedQtData = copyOf(qt->mimeData());
        m_saved = Saved::QtData;
        return;
    }
    m_fetchDone = false;
    XDeleteProperty(m_display, m_helper, m_transfer);
    XConvertSelection(m_display, m_clipboard, m_utf8, m_transfer, m_helper, CurrentTime);
    if (m_wait([this] { return m_fetchDone; }, kFetchTimeoutMs)
        && x11ReadTextProperty(m_display, m_helper, m_transfer, true, m_savedText))
        m_saved = Saved::Text;
    // Otherwise (no text, too slow, too large) there is nothing we can give back.
}

bool X11ClipboardOwner::offer(const QByteArray &utf8)
{
    m_served = utf8;
    m_textServed = false;
    m_asked = false;
    m_restoreWhenServed = false;
    XSetSelectionOwner(m_display, m_clipboard, m_helper, CurrentTime);
    m_owning = XGetSelectionOwner(m_display, m_clipboard) == m_helper;
    m_lineOnOffer = m_owning;
    return m_owning;
}

void X11ClipboardOwner::restoreUserClipboard(bool onceServed)
{
    if (onceServed && !m_textServed && m_lineOnOffer) {
        m_restoreWhenServed = true;
        return;
    }
    m_restoreWhenServed = false;
    m_lineOnOffer = false;
    if (!m_owning)
        return; // someone has copied meanwhile: theirs stands
    switch (m_saved) {
    case Saved::Text:
        m_served = m_savedText;
        return;
    case Saved::QtData:
        // Qt takes the selection back; our SelectionClear follows.
        QGuiApplication::clipboard()->setMimeData(m_savedQtData.release());
        m_saved = Saved::Nothing;
        return;
    case Saved::Nothing:
        ++m_ownClears;
        XSetSelectionOwner(m_display, m_clipboard, None, CurrentTime);
        m_owning = false;
        m_served.clear();
        return;
    }
}

bool X11ClipboardOwner::handle(XEvent &event)
{
    switch (event.type) {
    case SelectionRequest:
        if (event.xselectionrequest.owner != m_helper)
            return false;
        serve(event.xselectionrequest);
        if (m_textServed && m_restoreWhenServed)
            restoreUserClipboard();
        return true;
    case SelectionClear:
        if (event.xselectionclear.window != m_helper
            || event.xselectionclear.selection != m_clipboard)
            return false;
        if (m_ownClears > 0) {
            // The notice of our own letting go, which may come after the
            // next line is already on offer: that one stands.
            --m_ownClears;
            return true;
        }
        m_owning = false;
        m_served.clear();
        m_saved = Saved::Nothing;
        m_lineOnOffer = false;
        m_restoreWhenServed = false;
        return true;
    case SelectionNotify:
        if (event.xselection.requestor != m_helper)
            return false;
        m_fetchDone = true;
        return true;
    default:
        return false;
    }
}

void X11ClipboardOwner::serve(const XSelectionRequestEvent &request)
{
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = m_display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    // Old clients name no property: the target's name serves as one.
    Atom property = request.property != None ? request.property : request.target;
    X11ErrorTrap trap(m_display); // the requestor may be gone already
    if (!m_owning || request.selection != m_clipboard) {
        property = None;
    } else if (request.target == m_targets) {
        m_asked = true;
        const Atom offered[] = {m_targets, m_utf8, m_plainUtf8, m_text};
        XChangeProperty(m_display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(offered), 4);
    } else if (request.target == m_utf8 || request.target == m_plainUtf8
               || request.target == m_text) {
        const Atom type = request.target == m_plainUtf8 ? m_plainUtf8 : m_utf8;
        XChangeProperty(m_display, request.requestor, property, type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(m_served.constData()),
                        int(m_served.size()));
        m_textServed = true;
    } else {
        property = None; // no other form (STRING would lose the Japanese)
    }
    reply.property = property;
    XSendEvent(m_display, request.requestor, False, NoEventMask,
               reinterpret_cast<XEvent *>(&reply));
    trap.ok();
}
