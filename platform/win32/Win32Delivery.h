#pragma once
// Delivery of a roll line into another program's window by window messages:
// the capture of the window under the pointer, the two sending methods and a
// read-back of a window's text. Plain Win32, no Qt: the bridge to programs
// under Wine is built from it, and so can a Windows build of the editor.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

enum class Win32Method {
    ReplaceText, // WM_SETTEXT with the whole line, then Enter
    TypeText,    // WM_CHAR per character (W form), then Enter
};

enum class Win32Delivery {
    Delivered,
    TargetGone, // no such window (any more)
    NoAnswer,   // the target did not process a message within the time limit
};

// How long one message may wait for the target to process it. A target that
// hangs (has taken no message for five seconds) fails at once; one that is
// merely slow, as an edit box laying out a very long line, gets this long for
// each message before the line fails.
inline constexpr UINT kWin32MessageTimeoutMs = 5000;

// The deepest visible window under the mouse pointer now; nullptr over none.
HWND win32WindowAtPointer();

// True when `window` names a window that exists now.
bool win32WindowExists(HWND window);

// Sends the line (code page 932 bytes, no line break) into `target` by
// `method` and presses Enter in it: the key going down, and after typing also
// the character it types. Each message returns when the target has processed
// it; the first that fails ends the line. `processed`, when given, is called
// after each message (a long line can take a while in a slow target).
Win32Delivery win32DeliverLine(HWND target, Win32Method method, std::string_view cp932Line,
                               const std::function<void()> &processed = {});

// The window's whole text, in UTF-8, into `utf8`; false (and `utf8` empty)
// when the window is gone or does not answer.
bool win32ReadText(HWND window, std::string &utf8);

// True when the whole-text method goes out in the A forms (the process's ANSI
// code page is 932), false when the line is converted and sent in the W forms.
bool win32SendsAnsiForms();
