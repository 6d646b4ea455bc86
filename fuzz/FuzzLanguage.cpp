// Language-file line rule: any bytes must split into at most 51 texts without a fault; each text is a
// piece of the file with no line end in it, entries past the file's lines keep their values, and the
// texts survive the trip through the ANSI code page and back byte for byte.
#include "platform/fake/FakePlatform.h"
#include "settings/Language.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static platform::FakePlatform fake;
    platform::Install(&fake);

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string untouched = "\x01untouched";
    settings::LanguageTexts table;
    table.fill(untouched);
    const int count = settings::ParseLanguageLines(bytes, table);
    Require(count >= 0 && count <= settings::kLanguageEntries, "at most 51 entries are set");
    Require(count > 0 || bytes.empty(), "a file with any byte has a first line");

    std::string rewritten;
    for (int k = 0; k < settings::kLanguageEntries; ++k) {
        const std::string& text = table[k];
        if (k >= count) {
            Require(text == untouched, "entries past the file's lines keep their values");
            continue;
        }
        Require(text.find_first_of("\r\n") == std::string::npos, "no line end inside a text");
        Require(text.empty() || bytes.find(text) != std::string::npos, "a text is copied from the file unchanged");
        Require(fake.toAnsi(fake.fromAnsi(text)) == text, "the code page round trip keeps every byte");
        rewritten += "ab " + text + "\r\n";
    }

    // Written back with fresh prefixes, the texts read back as they are.
    settings::LanguageTexts again;
    again.fill(untouched);
    Require(settings::ParseLanguageLines(rewritten, again) == count, "the rewritten file has as many lines");
    for (int k = 0; k < count; ++k)
        Require(again[k] == table[k], "the rewritten file reads back the same texts");
    return 0;
}
