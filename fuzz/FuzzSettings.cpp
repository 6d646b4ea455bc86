// Dimoro.ini reader: any bytes parse without a fault, and the settings read, once written, read back the same
// wherever the format can hold the name.
#include "platform/fake/FakePlatform.h"
#include "settings/Settings.h"

#include <cassert>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static platform::FakePlatform os;
    settings::Settings read;
    settings::ParseSettings(os, std::string(reinterpret_cast<const char*>(data), size), read);

    // A name that must be quoted (a comma, blanks around it) cannot hold a quote as well: the format has no escape.
    const std::string& name = read.languageFile;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (name.find('"') != std::string::npos
        && (name.find(',') != std::string::npos || (!name.empty() && (blank(name.front()) || blank(name.back())))))
        return 0;
    const std::string written = settings::FormatSettings(os, read);
    settings::Settings again;
    settings::ParseSettings(os, written, again);
    assert(again.languageFile == read.languageFile && settings::FormatSettings(os, again) == written
        && "the settings written read back unchanged");
    return 0;
}
