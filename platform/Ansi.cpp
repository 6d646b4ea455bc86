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
        std::size_t length = 1;
        char32_t cp = lead;
        if (lead >= 0xF0 && lead < 0xF8) {
            length = 4;
            cp = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xC0) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0x80) {
            // A stray continuation byte or an invalid lead byte.
            out += '?';
            ++i;
            continue;
        }
        bool valid = i + length <= utf8.size() && lead < 0xF8;
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        // C1 controls come back to the byte they came from, so a round trip keeps every byte.
        if (cp >= 0x80 && cp < 0xA0 && kHigh[cp - 0x80] == 0)
            out += static_cast<char>(cp);
        else
            out += ToWindows1252(cp);
        i += length;
    }
    return out;
}

} // namespace platform
