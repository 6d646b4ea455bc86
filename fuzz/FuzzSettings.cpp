// Dimoro.ini reader: any bytes must parse without a fault, and what the writer makes of the result
// must read back as the same record wherever the file format can hold it.
#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using settings::SettingsRecord;

bool operator==(const SettingsRecord& a, const SettingsRecord& b)
{
    return a.tolerance == b.tolerance && a.dwellTenths == b.dwellTenths && a.runAtStartup == b.runAtStartup
        && a.languageFile == b.languageFile && a.beep == b.beep && a.middleClick == b.middleClick;
}

void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// A name the six-line format writes and reads back unchanged: an unquoted field that ends at a comma,
// skips leading blanks, drops trailing ones and takes a leading quote as the start of a quoted value.
bool FormatHolds(const std::string& name)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return name.find(',') == std::string::npos
        && (name.empty() || (!blank(name.front()) && name.front() != '"' && !blank(name.back())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static platform::FakePlatform fake;
    platform::Install(&fake);

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    SettingsRecord read;
    settings::ParseSettings(bytes, read);

    const std::string written = settings::FormatSettings(read);
    std::size_t lineEnds = 0;
    for (std::size_t at = written.find("\r\n"); at != std::string::npos; at = written.find("\r\n", at + 2))
        ++lineEnds;
    Require(lineEnds == 6 && written.ends_with("\r\n"), "the writer gives six lines, each ended by CR LF");
    Require(written.find_first_of("\r\n") == written.find("\r\n")
            && lineEnds * 2
                == static_cast<std::size_t>(
                    std::count_if(written.begin(), written.end(), [](char c) { return c == '\r' || c == '\n'; })),
        "no lone CR or LF in what the writer gives");

    if (FormatHolds(read.languageFile)) {
        SettingsRecord again;
        settings::ParseSettings(written, again);
        Require(again == read, "a written record reads back unchanged");
    }
    return 0;
}
