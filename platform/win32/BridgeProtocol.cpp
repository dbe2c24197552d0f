#include "BridgeProtocol.h"

#include <array>
#include <charconv>
#include <vector>

namespace {
struct VerbName {
    BridgeVerb verb;
    std::string_view name;
    bool window;
    bool text;
};
constexpr std::array<VerbName, 7> kVerbs{{
    {BridgeVerb::Hello, "hello", false, false},
    {BridgeVerb::Capture, "capture", false, false},
    {BridgeVerb::Exists, "exists", true, false},
    {BridgeVerb::Replace, "replace", true, true},
    {BridgeVerb::Type, "type", true, true},
    {BridgeVerb::Read, "read", true, false},
    {BridgeVerb::Quit, "quit", false, false},
}};

const VerbName *verbNamed(std::string_view name)
{
    for (const VerbName &v : kVerbs)
        if (v.name == name)
            return &v;
    return nullptr;
}

const VerbName &nameOf(BridgeVerb verb)
{
    for (const VerbName &v : kVerbs)
        if (v.verb == verb)
            return v;
    return kVerbs[0];
}

std::string_view withoutLineEnd(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

// Splits at single blanks; an empty word (two blanks) makes the line invalid.
std::optional<std::vector<std::string_view>> words(std::string_view line)
{
    std::vector<std::string_view> out;
    while (true) {
        const size_t blank = line.find(' ');
        const std::string_view word = line.substr(0, blank);
        if (word.empty())
            return std::nullopt;
        out.push_back(word);
        if (blank == std::string_view::npos)
            return out;
        line.remove_prefix(blank + 1);
    }
}

std::optional<std::uint64_t> number(std::string_view word)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

std::string formatBridgeRequest(const BridgeRequest &request)
{
    const VerbName &verb = nameOf(request.verb);
    std::string line = std::to_string(request.id) + ' ' + std::string(verb.name);
    if (verb.window)
        line += ' ' + std::to_string(request.window);
    if (verb.text)
        line += ' ' + bridgeHexEncode(request.text);
    return line;
}

std::optional<BridgeRequest> parseBridgeRequest(std::string_view line)
{
    const auto parts = words(withoutLineEnd(line));
    if (!parts || parts->size() < 2)
        return std::nullopt;
    const auto id = number((*parts)[0]);
    const VerbName *verb = verbNamed((*parts)[1]);
    if (!id || !verb || parts->size() != 2u + verb->window + verb->text)
        return std::nullopt;
    BridgeRequest request;
    request.id = *id;
    request.verb = verb->verb;
    if (verb->window) {
        const auto window = number((*parts)[2]);
        if (!window)
            return std::nullopt;
        request.window = *window;
    }
    if (verb->text) {
        auto text = bridgeHexDecode((*parts)[3]);
        if (!text)
            return std::nullopt;
        request.text = std::move(*text);
    }
    return request;
}

std::string formatBridgeAnswer(const BridgeAnswer &answer)
{
    if (answer.busy)
        return std::to_string(answer.id) + " busy";
    std::string line = std::to_string(answer.id) + (answer.ok ? " ok" : " fail");
    if (!answer.value.empty())
        line += ' ' + answer.value;
    return line;
}

std::optional<BridgeAnswer> parseBridgeAnswer(std::string_view line)
{
    line = withoutLineEnd(line);
    const size_t first = line.find(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto id = number(line.substr(0, first));
    if (!id)
        return std::nullopt;
    std::string_view rest = line.substr(first + 1);
    const size_t second = rest.find(' ');
    const std::string_view status = rest.substr(0, second);
    const std::string_view value =
        second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);
    if (status == "busy")
        return value.empty() ? std::optional(BridgeAnswer{*id, false, true, {}}) : std::nullopt;
    if (status != "ok" && status != "fail")
        return std::nullopt;
    // A failure always says why.
    if (status == "fail" && value.empty())
        return std::nullopt;
    return BridgeAnswer{*id, status == "ok", false, std::string(value)};
}

std::string bridgeHexEncode(std::string_view bytes)
{
    if (bytes.empty())
        return "-";
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

std::optional<std::string> bridgeHexDecode(std::string_view hex)
{
    if (hex == "-")
        return std::string();
    if (hex.empty() || hex.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}
