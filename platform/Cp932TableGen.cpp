// Build-time generator of the code page 932 tables used by platform/Cp932.cpp.
//
// Usage: cp932_tablegen OUTPUT.h
//
// Asks glibc's iconv "CP932" about every single byte, every lead/trail pair and
// every BMP code point, so no table is typed by hand and the duplicate-code
// choices (NEC row 13 / NEC-selected IBM / IBM extensions) are the ones Windows
// makes. Fails the build, rather than writing a wrong table, when the host's
// iconv lacks CP932 or disagrees with the facts the editor relies on.

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string &why)
{
    std::fprintf(stderr, "cp932_tablegen: %s\n", why.c_str());
    std::exit(1);
}

enum class Outcome { Ok, Incomplete, Invalid };

struct Converter {
    iconv_t cd;
    Converter(const char *to, const char *from) : cd(iconv_open(to, from))
    {
        if (cd == reinterpret_cast<iconv_t>(-1))
            fail(std::string("iconv cannot convert ") + from + " to " + to
                 + " (glibc with CP932 gconv module needed)");
    }
    ~Converter() { iconv_close(cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts all of `in`; `out` gets the produced bytes.
    Outcome run(const std::vector<unsigned char> &in, std::vector<unsigned char> &out)
    {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::array<unsigned char, 64> buf{};
        char *ip = reinterpret_cast<char *>(const_cast<unsigned char *>(in.data()));
        size_t il = in.size();
        char *op = reinterpret_cast<char *>(buf.data());
        size_t ol = buf.size();
        Outcome result = Outcome::Ok;
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1))
            result = errno == EINVAL ? Outcome::Incomplete : Outcome::Invalid;
        else if (iconv(cd, nullptr, nullptr, &op, &ol) == static_cast<size_t>(-1))
            result = Outcome::Invalid;
        out.assign(buf.data(), reinterpret_cast<unsigned char *>(op));
        return result;
    }
};

std::vector<char32_t> asUtf32(const std::vector<unsigned char> &le)
{
    std::vector<char32_t> r;
    for (size_t i = 0; i + 3 < le.size(); i += 4)
        r.push_back(char32_t(le[i]) | char32_t(le[i + 1]) << 8 | char32_t(le[i + 2]) << 16
                    | char32_t(le[i + 3]) << 24);
    return r;
}

std::vector<unsigned char> utf32Bytes(char32_t c)
{
    return {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
            static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 24)};
}

std::string hex(unsigned v)
{
    char b[16];
    std::snprintf(b, sizeof b, "0x%04X", v);
    return b;
}

void writeArray(std::FILE *f, const char *decl, const std::vector<unsigned> &values)
{
    std::fprintf(f, "%s = {", decl);
    for (size_t i = 0; i < values.size(); ++i)
        std::fprintf(f, "%s%u,", i % 16 == 0 ? "\n    " : "", values[i]);
    std::fprintf(f, "\n};\n\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        fail("usage: cp932_tablegen OUTPUT.h");

    Converter decoder("UTF-32LE", "CP932");
    Converter encoder("CP932", "UTF-32LE");
    std::vector<unsigned char> out;

    // Single bytes. A byte iconv calls incomplete is a lead byte. Bytes it
    // rejects (0x80, 0xA0, 0xFD-0xFF; Windows gives them private/C1 code points)
    // decode to U+FFFD, following glibc.
    std::vector<unsigned> single(256, 0xFFFD);
    std::vector<unsigned> leadSlot(256, 0);
    unsigned slots = 0;
    for (unsigned b = 0; b < 256; ++b) {
        switch (decoder.run({static_cast<unsigned char>(b)}, out)) {
        case Outcome::Ok: {
            const auto cs = asUtf32(out);
            if (cs.size() != 1 || cs[0] > 0xFFFF || cs[0] == 0xFFFD)
                fail("unexpected decoding of single byte " + hex(b));
            single[b] = cs[0];
            break;
        }
        case Outcome::Incomplete:
            leadSlot[b] = ++slots;
            single[b] = 0xFFFD; // a lead byte left on its own
            break;
        case Outcome::Invalid:
            break;
        }
    }
    for (unsigned b = 0; b < 0x80; ++b)
        if (single[b] != b)
            fail("CP932 is expected to be ASCII below 0x80; byte " + hex(b) + " is not");

    // Pairs: row 0 stays empty so that a non-lead byte finds nothing.
    std::vector<unsigned> pairs(size_t(slots + 1) * 256, 0);
    for (unsigned lead = 0; lead < 256; ++lead) {
        if (!leadSlot[lead])
            continue;
        for (unsigned trail = 0; trail < 256; ++trail) {
            if (decoder.run({static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)}, out)
                != Outcome::Ok)
                continue;
            const auto cs = asUtf32(out);
            if (cs.size() != 1) // the trail was not taken as part of the pair
                continue;
            if (cs[0] == 0 || cs[0] > 0xFFFF)
                fail("unexpected decoding of " + hex(lead << 8 | trail));
            pairs[leadSlot[lead] * 256 + trail] = cs[0];
        }
    }

    // Encoding of every BMP code point; 0 means "not representable". ASCII is
    // handled before the table is consulted, so U+0000 needs no entry.
    std::vector<unsigned> encode(0x10000, 0);
    auto decodeCode = [&](unsigned code) -> unsigned {
        return code < 0x100 ? single[code] : pairs[leadSlot[code >> 8] * 256 + (code & 0xFF)];
    };
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (encoder.run(utf32Bytes(c), out) != Outcome::Ok || out.empty())
            continue;
        unsigned code = 0;
        if (out.size() == 1)
            code = out[0];
        else if (out.size() == 2)
            code = unsigned(out[0]) << 8 | out[1];
        else
            fail("unexpected encoding of U+" + hex(c));
        if (decodeCode(code) == 0 || decodeCode(code) == 0xFFFD)
            fail("U+" + hex(c) + " encodes to " + hex(code) + ", which does not decode");
        encode[c] = code;
    }

    // Characters written as the code of another character: the seven other forms
    // of 0x815C..0x81CA, and yen sign / overline as 0x5C / 0x7E, which Japanese
    // fonts show as ¥ and ‾. Anything else would be a lossy mapping nobody chose.
    static const char32_t oneWay[] = {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x2014,
                                      0x2016, 0x203E, 0x2212, 0x301C};
    std::vector<char32_t> found;
    for (char32_t c = 0x80; c < 0x10000; ++c)
        if (encode[c] && decodeCode(encode[c]) != c)
            found.push_back(c);
    if (found != std::vector<char32_t>(std::begin(oneWay), std::end(oneWay)))
        fail("iconv's one-way mappings differ from the expected nine");

    // Facts the editor relies on; a different iconv must not silently change them.
    struct Fact { char32_t c; unsigned code; bool decodesBack; };
    static const Fact facts[] = {
        {0x2015, 0x815C, true},  {0xFF5E, 0x8160, true},  {0x2225, 0x8161, true},
        {0xFF0D, 0x817C, true},  {0xFFE0, 0x8191, true},  {0xFFE1, 0x8192, true},
        {0xFFE2, 0x81CA, true},  {0x2014, 0x815C, false}, {0x301C, 0x8160, false},
        {0x2016, 0x8161, false}, {0x2212, 0x817C, false}, {0x00A2, 0x8191, false},
        {0x00A3, 0x8192, false}, {0x00AC, 0x81CA, false}, {0x2460, 0x8740, true},
        {0x2160, 0x8754, true},  {0x3231, 0x878A, true},  {0x9AD9, 0xFBFC, true},
        {0x2252, 0x81E0, true},  {0x2170, 0xFA40, true},  {0x2235, 0x81E6, true},
        {0xFF61, 0x00A1, true},  {0xFF9F, 0x00DF, true},  {0x00A5, 0x005C, false},
        {0x203E, 0x007E, false}, {0xE000, 0xF040, true},  {0xFFE4, 0xFA55, true},
    };
    for (const Fact &f : facts) {
        if (encode[f.c] != f.code)
            fail("U+" + hex(f.c) + " should encode to " + hex(f.code) + ", iconv gives "
                 + hex(encode[f.c]));
        if (f.decodesBack && decodeCode(f.code) != f.c)
            fail(hex(f.code) + " should decode to U+" + hex(f.c));
    }

    std::FILE *f = std::fopen(argv[1], "w");
    if (!f)
        fail(std::string("cannot write ") + argv[1]);
    std::fprintf(f,
                 "// Generated by cp932_tablegen from glibc iconv \"CP932\". Do not edit.\n"
                 "#pragma once\n\n"
                 "#include <cstdint>\n\n"
                 "namespace cp932tables {\n\n"
                 "// Character of a single byte; U+FFFD for lead bytes and unassigned bytes.\n");
    writeArray(f, "inline constexpr char16_t singleByte[256]", single);
    std::fprintf(f, "// Row of `pairs` for a lead byte; 0 (an empty row) for any other byte.\n");
    writeArray(f, "inline constexpr std::uint8_t leadSlot[256]", leadSlot);
    std::fprintf(f, "// pairs[slot * 256 + trail]: character of a lead/trail pair; 0 if unassigned.\n");
    writeArray(f, ("inline constexpr char16_t pairs[" + std::to_string(pairs.size()) + "]").c_str(),
               pairs);
    std::fprintf(f, "// Code of a BMP character (a byte below 0x100, else lead << 8 | trail);\n"
                    "// 0 if code page 932 cannot represent it. Not used below U+0080.\n");
    writeArray(f, "inline constexpr std::uint16_t encode[0x10000]", encode);
    std::fprintf(f, "} // namespace cp932tables\n");
    if (std::fclose(f) != 0)
        fail(std::string("cannot write ") + argv[1]);
    return 0;
}
