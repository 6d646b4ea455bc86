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

    // An unquoted name field skips leading blanks, drops trailing ones, ends at a comma and takes a leading quote
    // as the start of a quoted value.
    const std::string& name = read.languageFile;
    if (name.find(',') != std::string::npos || name.starts_with(' ') || name.starts_with('\t') || name.starts_with('"')
        || name.ends_with(' ') || name.ends_with('\t'))
        return 0;
    const std::string written = settings::FormatSettings(os, read);
    settings::Settings again;
    settings::ParseSettings(os, written, again);
    assert(again.languageFile == read.languageFile && settings::FormatSettings(os, again) == written
        && "the settings written read back unchanged");
    return 0;
}
