#pragma once
// The X11 back end of WindowSender, on a display connection of its own (so it
// works whatever Qt's platform is). The hot key is a passive grab of F2 on the
// root window; a line reaches its target through XTest keys while the target
// holds the focus: activated through the window manager when one runs, given
// the input focus directly otherwise. The whole-text method pastes our own
// clipboard, the typing method lends spare keycodes to its characters. F1 and
// Enter pressed meanwhile are grabbed and handed to the editor.
#include "platform/WindowSender.h"

#include <memory>

class X11WindowSender : public WindowSender {
    Q_OBJECT
public:
    // Connects to the display named by DISPLAY; see isOpen().
    X11WindowSender();
    ~X11WindowSender() override;

    // False when no display could be opened (then nothing works).
    bool isOpen() const;

    bool armCaptureHotKey() override;
    void disarmCaptureHotKey() override;
    bool windowExists(WId window) override;
    SendOutcome replaceTextAndEnter(WId target, QByteArrayView cp932Line) override;
    SendOutcome typeTextAndEnter(WId target, QByteArrayView cp932Line) override;
    void setSettleTime(int ms) override;
    int settleTime() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
