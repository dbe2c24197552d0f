// velmat-wine-bridge: runs under Wine, in the prefix of the program that
// receives the lines, and does there what the editor asks on its standard
// input (BridgeProtocol.h), one answer per request on its standard output.
// It ends when its input closes, so it never outlives the editor.
#include "BridgeProtocol.h"
#include "Win32Delivery.h"

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {
HWND handleOf(std::uint64_t window)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

std::uint64_t numberOf(HWND window)
{
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(window));
}

BridgeAnswer fail(std::uint64_t id, std::string_view reason)
{
    return {id, false, false, std::string(reason)};
}

void write(const BridgeAnswer &answer)
{
    std::fputs((formatBridgeAnswer(answer) + '\n').c_str(), stdout);
    std::fflush(stdout);
}

// Says "busy" about every half second while a line is being delivered.
class Heartbeat {
public:
    explicit Heartbeat(std::uint64_t id) : m_id(id), m_last(GetTickCount64()) {}
    void operator()()
    {
        const ULONGLONG now = GetTickCount64();
        if (now - m_last < 500)
            return;
        m_last = now;
        write({m_id, false, true, {}});
    }

private:
    std::uint64_t m_id;
    ULONGLONG m_last;
};

BridgeAnswer delivered(std::uint64_t id, Win32Delivery d)
{
    switch (d) {
    case Win32Delivery::Delivered:
        return {id, true, false, {}};
    case Win32Delivery::TargetGone:
        return fail(id, BridgeReason::Gone);
    case Win32Delivery::NoAnswer:
        return fail(id, BridgeReason::NoAnswer);
    }
    return fail(id, BridgeReason::NoAnswer);
}

BridgeAnswer answer(const BridgeRequest &request)
{
    const std::uint64_t id = request.id;
    switch (request.verb) {
    case BridgeVerb::Hello:
        return {id, true, false,
                std::to_string(kBridgeProtocolVersion) + ' ' + std::to_string(GetACP())};
    case BridgeVerb::Capture: {
        const HWND window = win32WindowAtPointer();
        return window ? BridgeAnswer{id, true, false, std::to_string(numberOf(window))}
                      : fail(id, BridgeReason::None);
    }
    case BridgeVerb::Exists:
        return win32WindowExists(handleOf(request.window)) ? BridgeAnswer{id, true, false, {}}
                                                          : fail(id, BridgeReason::Gone);
    case BridgeVerb::Replace:
    case BridgeVerb::Type:
        return delivered(id, win32DeliverLine(handleOf(request.window),
                                              request.verb == BridgeVerb::Replace
                                                  ? Win32Method::ReplaceText
                                                  : Win32Method::TypeText,
                                              request.text, Heartbeat(id)));
    case BridgeVerb::Read: {
        std::string text;
        if (!win32ReadText(handleOf(request.window), text))
            return fail(id, win32WindowExists(handleOf(request.window)) ? BridgeReason::NoAnswer
                                                                        : BridgeReason::Gone);
        return {id, true, false, bridgeHexEncode(text)};
    }
    case BridgeVerb::Quit:
        return {id, true, false, {}};
    }
    return fail(id, BridgeReason::BadRequest);
}

// One line of standard input without its line break; false at the end.
bool readLine(std::string &line)
{
    line.clear();
    for (int c; (c = std::getchar()) != EOF;) {
        if (c == '\n')
            return true;
        line += static_cast<char>(c);
    }
    return !line.empty();
}
} // namespace

int main()
{
    // Bytes as they come: no CR LF translation on either side.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    for (std::string line; readLine(line);) {
        const auto request = parseBridgeRequest(line);
        // An unreadable request is answered with id 0: the editor never uses
        // it, so the answer cannot be taken for another request's.
        const BridgeAnswer reply = request ? answer(*request) : fail(0, BridgeReason::BadRequest);
        write(reply);
        if (request && request->verb == BridgeVerb::Quit)
            break;
    }
    return 0;
}
