#pragma once
// Reaching another application's window: the one-shot capture hot key (F2)
// that names the window under the mouse pointer, and the delivery of a line
// into that window. One back end per desktop; the main window sees only this.
#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QtGui/qwindowdefs.h>

#include <memory>

// Why a line did not arrive. The editor names the reason in the status bar
// and keeps the caret on the line, so the next F1 tries it again.
enum class SendFailure {
    None,         // delivered
    TargetGone,   // no such window now, hidden, or a window of this editor
    NoFocus,      // the target did not take the input focus
    NoAnswer,     // the target did not take the line within the settle time
    BridgeFailed, // the bridge to programs under Wine could not deliver
};

struct SendOutcome {
    SendFailure failure = SendFailure::None;
    QString detail; // what the back end knows beyond the reason, or empty

    bool delivered() const { return failure == SendFailure::None; }
    static SendOutcome ok() { return {}; }
    static SendOutcome failed(SendFailure why, QString detail = {})
    {
        return {why, std::move(detail)};
    }
};

class WindowSender : public QObject {
    Q_OBJECT
public:
    ~WindowSender() override;

    // Takes F2 (no modifier keys) system-wide until it is pressed once.
    // False, with nothing taken, when another program holds F2 or a capture
    // is already armed.
    virtual bool armCaptureHotKey() = 0;
    // Gives F2 back without a capture (nothing when not armed).
    virtual void disarmCaptureHotKey() = 0;

    // True when `window` names a window that exists now and can take a line.
    // A window of this program itself cannot: it would have to answer while
    // we wait for it, and the keys would overwrite the roll.
    virtual bool windowExists(WId window) = 0;

    // Replaces the whole text of `target` by the line and presses Enter in it.
    // `cp932Line` is the line in code page 932 as the target is to receive it
    // (no line break). Returns when the target has taken it, or after a short
    // time limit. A failure says why nothing (or not all) was delivered: the
    // target does not exist, cannot take a line now (windowExists), or the
    // line could not go out.
    virtual SendOutcome replaceTextAndEnter(WId target, QByteArrayView cp932Line) = 0;
    // Types the line into `target` character by character, then presses Enter.
    // Same contract as replaceTextAndEnter otherwise.
    virtual SendOutcome typeTextAndEnter(WId target, QByteArrayView cp932Line) = 0;

    // How long a target may take to read the keys it was sent, in ms: the
    // focus goes back, and a keycode is lent to another character, only that
    // long after the last key. Back ends that see the target read ignore it.
    virtual void setSettleTime(int ms) { Q_UNUSED(ms); }

    // The settle time when the settings file names none: Wine-run programs
    // and a loaded desktop read keys some tens of ms late.
    static constexpr int kDefaultSettleMs = 100;

Q_SIGNALS:
    // The armed hot key was pressed (and is given back): `window` is the
    // deepest window under the mouse pointer at that moment (the desktop's
    // own window over no other). Delivered from the event loop, never from
    // inside a call to this object.
    void captureKeyPressed(WId window);
    // F1, Return or keypad Enter (`qtKey`, a Qt::Key) was pressed while the
    // target held the focus for a send: it was kept from the target and
    // belongs to the editor, in the order pressed. Delivered from the event
    // loop once the send call has returned.
    void keyPressedDuringSend(int qtKey);
};

// The back end for the desktop this program runs on, with its own connection
// to the display. Without a display it arms nothing and delivers nothing.
std::unique_ptr<WindowSender> createWindowSender();
