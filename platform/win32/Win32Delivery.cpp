#include "Win32Delivery.h"

namespace {
constexpr UINT kCodePage932 = 932;
constexpr UINT kFlags = SMTO_NORMAL | SMTO_ABORTIFHUNG;

// One message, waiting for the target to process it, with a time limit.
Win32Delivery send(HWND target, bool ansi, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    const LRESULT sent =
        ansi ? SendMessageTimeoutA(target, message, wParam, lParam, kFlags, kWin32MessageTimeoutMs,
                                   &result)
             : SendMessageTimeoutW(target, message, wParam, lParam, kFlags, kWin32MessageTimeoutMs,
                                   &result);
    if (sent != 0)
        return Win32Delivery::Delivered;
    return IsWindow(target) ? Win32Delivery::NoAnswer : Win32Delivery::TargetGone;
}

std::wstring wideFrom932(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int n = MultiByteToWideChar(kCodePage932, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(kCodePage932, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    return wide;
}

// Enter: the key going down (what a captioning program's input box acts on),
// then, after typing, the character the key types, and the key coming up.
// An edit control (メモ帳) breaks a line only on the character, so typed lines
// would run together without it; programs that act on the key going down
// ignore it, as they do for every Enter typed on a keyboard. After a whole-text
// replacement the caret stands at the start of the box, where the character
// would put the break before the line: there the key alone is pressed.
Win32Delivery pressEnter(HWND target, bool ansi, bool typeTheCharacter)
{
    Win32Delivery d = send(target, ansi, WM_KEYDOWN, VK_RETURN, 1);
    if (d == Win32Delivery::Delivered && typeTheCharacter)
        d = send(target, ansi, WM_CHAR, '\r', 1);
    if (d == Win32Delivery::Delivered)
        ansi ? PostMessageA(target, WM_KEYUP, VK_RETURN, 1)
             : PostMessageW(target, WM_KEYUP, VK_RETURN, 1);
    return d;
}

Win32Delivery replaceText(HWND target, bool ansi, std::string_view line)
{
    if (ansi) {
        const std::string text(line); // NUL-terminated
        return send(target, true, WM_SETTEXT, 0, LPARAM(text.c_str()));
    }
    const std::wstring text = wideFrom932(line);
    return send(target, false, WM_SETTEXT, 0, LPARAM(text.c_str()));
}

// Each character as the W-form WM_CHAR it becomes in the target. The
// WM_IME_CHAR of a double-byte character reaches an edit control under Wine
// only as a WM_CHAR that the window procedure posts to itself: it arrives
// after the characters sent behind it (a line came out scrambled), and in its
// A form it loses its trail byte. A W-form WM_CHAR is taken at once; an ANSI
// window receives it as the lead and trail bytes, as from an input method.
Win32Delivery typeText(HWND target, std::string_view line, const std::function<void()> &processed)
{
    for (size_t i = 0; i < line.size();) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const size_t length = i + 1 < line.size() && IsDBCSLeadByteEx(kCodePage932, lead) ? 2 : 1;
        const std::wstring wide = wideFrom932(line.substr(i, length));
        const Win32Delivery d = send(target, false, WM_CHAR, wide.empty() ? L'?' : wide[0], 0);
        if (d != Win32Delivery::Delivered)
            return d;
        if (processed)
            processed();
        i += length;
    }
    return Win32Delivery::Delivered;
}
} // namespace

bool win32SendsAnsiForms()
{
    // An A-form WM_SETTEXT reaches a Unicode window converted by the ANSI code
    // page. Only where that is 932 (Windows, or Wine, in a Japanese locale) do
    // the line's Shift-JIS bytes arrive as the characters they are; elsewhere
    // (Wine in an English or C locale) they would turn into Latin letters, so
    // the line is converted from 932 here and sent in the W forms instead.
    return GetACP() == kCodePage932;
}

HWND win32WindowAtPointer()
{
    POINT point{};
    if (!GetCursorPos(&point))
        return nullptr;
    return WindowFromPoint(point);
}

bool win32WindowExists(HWND window)
{
    return window != nullptr && IsWindow(window);
}

Win32Delivery win32DeliverLine(HWND target, Win32Method method, std::string_view cp932Line,
                               const std::function<void()> &processed)
{
    if (!win32WindowExists(target))
        return Win32Delivery::TargetGone;
    const bool ansi = method == Win32Method::ReplaceText && win32SendsAnsiForms();
    const Win32Delivery text = method == Win32Method::ReplaceText
                                   ? replaceText(target, ansi, cp932Line)
                                   : typeText(target, cp932Line, processed);
    if (text != Win32Delivery::Delivered)
        return text;
    if (processed)
        processed();
    return pressEnter(target, ansi, method == Win32Method::TypeText);
}

bool win32ReadText(HWND window, std::string &utf8)
{
    utf8.clear();
    if (!win32WindowExists(window))
        return false;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kWin32MessageTimeoutMs,
                             &length))
        return false;
    std::wstring wide(size_t(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, WPARAM(wide.size()), LPARAM(wide.data()),
                             SMTO_NORMAL, kWin32MessageTimeoutMs, &copied))
        return false;
    wide.resize(size_t(copied));
    if (wide.empty())
        return true;
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    utf8.resize(size_t(n > 0 ? n : 0));
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), n, nullptr,
                            nullptr);
    return true;
}
