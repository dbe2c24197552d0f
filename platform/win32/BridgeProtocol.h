#pragma once
// The line protocol between the editor and its bridge to programs under Wine.
// Plain C++ (no Qt, no Win32): the editor and the bridge both build it.
//
// One request per line, one answer per request, both ASCII:
//   request  "<id> <verb> [<window>] [<text>]"
//   answer   "<id> ok [<value>]"  or  "<id> fail <reason>"
// and, while a long request is still being worked on, "<id> busy" about every
// half second, so that the editor can tell a slow target from a dead bridge.
// <id> is chosen by the editor and echoed, so an answer that comes too late for
// its request is recognised and dropped. <window> is a window handle in
// decimal. <text> is hex ("-" when empty), so that no byte of a line, line
// breaks included, can end a request early.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class BridgeVerb {
    Hello,   // -> ok "<protocol> <ANSI code page>"
    Capture, // the deepest window under the pointer -> ok "<window>", fail "none"
    Exists,  // <window> -> ok, fail "gone"
    Replace, // <window> <code page 932 line>: whole text replaced, then Enter
    Type,    // <window> <code page 932 line>: typed character by character, then Enter
    Read,    // <window> -> ok "<hex of the window's text in UTF-8>"
    Quit,    // -> ok, then the bridge ends
};

inline constexpr int kBridgeProtocolVersion = 1;

// Reasons a request failed, as the answer names them.
namespace BridgeReason {
inline constexpr std::string_view None = "none";             // no window under the pointer
inline constexpr std::string_view Gone = "gone";             // no such window (now)
inline constexpr std::string_view NoAnswer = "noanswer";     // the target did not take a message in time
inline constexpr std::string_view BadRequest = "badrequest"; // the line was not a request
} // namespace BridgeReason

struct BridgeRequest {
    std::uint64_t id = 0;
    BridgeVerb verb = BridgeVerb::Hello;
    std::uint64_t window = 0; // Exists, Replace, Type, Read
    std::string text;         // Replace, Type: the line's bytes
};

struct BridgeAnswer {
    std::uint64_t id = 0;
    bool ok = false;
    bool busy = false; // not an answer yet: still working on it
    std::string value; // ok: the verb's value (may be empty); fail: the reason
};

// The request as one line, without the line break.
std::string formatBridgeRequest(const BridgeRequest &request);
// The request a line holds (trailing CR or LF ignored); nullopt when it is none.
std::optional<BridgeRequest> parseBridgeRequest(std::string_view line);

std::string formatBridgeAnswer(const BridgeAnswer &answer);
std::optional<BridgeAnswer> parseBridgeAnswer(std::string_view line);

// Hex of bytes ("-" for none), and back; nullopt for anything but pairs of hex digits.
std::string bridgeHexEncode(std::string_view bytes);
std::optional<std::string> bridgeHexDecode(std::string_view hex);
