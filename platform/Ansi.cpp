#include "Platform.h"

#include <array>
#include <cstdint>

// Windows-1252 by table rather than iconv: the same code then serves the Windows tests built with MinGW,
// which has no iconv, and it cannot fail at run time for want of a gconv module.
namespace platform {

namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes that Windows-1252 leaves undefined.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC,
    0,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0,
    0x017D,
    0,
    0,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0,
    0x017E,
    0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char ToWindows1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] != 0 && kHigh[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

std::string Windows1252ToUtf8(const std::string& ansi)
{
    std::string out;
    out.reserve(ansi.size());
    for (const char c : ansi) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 0x80 && byte < 0xA0) {
            // Undefined bytes map to the C1 control of the same value, as Windows' own conversion does.
            const char32_t cp = kHigh[byte - 0x80];
            AppendUtf8(out, cp != 0 ? cp : byte);
        } else {
            AppendUtf8(out, byte);
        }
    }
    return out;
}

std::string Utf8ToWindows1252(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        // Well-formed sequences only (Unicode table 3-7): the narrowed second-byte ranges shut out overlong
        // forms, which would otherwise smuggle a comma, quote or line end into a file's fields, surrogates
        // and code points past U+10FFFF.
        std::size_t length = 0;
        char32_t cp = 0;
        std::uint8_t low = 0x80;
        std::uint8_t high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            out += '?';
            ++i;
            continue;
        }
        std::size_t taken = 1;
        for (; taken < length && i + taken < utf8.size(); ++taken) {
            const auto next = static_cast<std::uint8_t>(utf8[i + taken]);
            if (next < low || next > high)
                break;
            cp = (cp << 6) | (next & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        i += taken;
        // A cut sequence becomes one '?' and the byte that cut it starts afresh.
        if (taken < length) {
            out += '?';
            continue;
        }
        // C1 controls come back to the byte they came from, so a round trip keeps every byte.
        if (cp >= 0x80 && cp < 0xA0 && kHigh[cp - 0x80] == 0)
            out += static_cast<char>(cp);
        else
            out += ToWindows1252(cp);
    }
    return out;
}

} // namespace platform
