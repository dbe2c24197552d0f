// Build-time generator: turns the Unicode East_Asian_Width data file into a
// two-level lookup table (256-code-point blocks, identical blocks shared).
// Usage: EastAsianWidthGen EastAsianWidth.txt OUTPUT.h
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Category numbers as the program uses them: 0 N, 1 F, 2 H, 3 W, 4 Na, 5 A.
int categoryOf(const std::string &name)
{
    if (name == "N") return 0;
    if (name == "F") return 1;
    if (name == "H") return 2;
    if (name == "W") return 3;
    if (name == "Na") return 4;
    if (name == "A") return 5;
    return -1;
}

std::string trim(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r");
    const auto e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s EastAsianWidth.txt OUTPUT.h\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    constexpr uint32_t kCodePoints = 0x110000;
    std::vector<uint8_t> cat(kCodePoints, 0); // unlisted code points are N
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        line = trim(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        const auto semi = line.find(';');
        if (semi == std::string::npos) {
            std::fprintf(stderr, "%s:%d: no ';'\n", argv[1], lineNo);
            return 1;
        }
        const std::string range = trim(line.substr(0, semi));
        const int c = categoryOf(trim(line.substr(semi + 1)));
        const auto dots = range.find("..");
        const unsigned long first = std::stoul(range.substr(0, dots), nullptr, 16);
        const unsigned long last =
            dots == std::string::npos ? first : std::stoul(range.substr(dots + 2), nullptr, 16);
        if (c < 0 || last < first || last >= kCodePoints) {
            std::fprintf(stderr, "%s:%d: bad entry\n", argv[1], lineNo);
            return 1;
        }
        for (unsigned long cp = first; cp <= last; ++cp)
            cat[cp] = uint8_t(c);
    }
    // The private-use planes 15 and 16 count as neutral, not ambiguous.
    for (uint32_t cp = 0xF0000; cp < kCodePoints; ++cp)
        cat[cp] = 0;

    std::map<std::array<uint8_t, 256>, int> blockIds;
    std::vector<std::array<uint8_t, 256>> blocks;
    std::vector<int> index;
    for (uint32_t b = 0; b < kCodePoints / 256; ++b) {
        std::array<uint8_t, 256> block{};
        for (int i = 0; i < 256; ++i)
            block[i] = cat[b * 256 + i];
        auto [it, inserted] = blockIds.emplace(block, int(blocks.size()));
        if (inserted)
            blocks.push_back(block);
        index.push_back(it->second);
    }

    std::ostringstream out;
    out << "// Generated from the Unicode East_Asian_Width data file; do not edit.\n"
           "#pragma once\n#include <cstdint>\n\n"
           "namespace eaw {\n"
        << "inline constexpr std::uint16_t kBlockIndex[" << index.size() << "] = {";
    for (size_t i = 0; i < index.size(); ++i)
        out << (i % 24 ? "" : "\n") << index[i] << ',';
    out << "\n};\ninline constexpr std::uint8_t kBlocks[" << blocks.size() << "][256] = {\n";
    for (const auto &block : blocks) {
        out << '{';
        for (int i = 0; i < 256; ++i)
            out << int(block[i]) << ',';
        out << "},\n";
    }
    out << "};\n} // namespace eaw\n";

    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << out.str();
    return file ? 0 : 1;
}
