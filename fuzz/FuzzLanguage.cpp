// Language-file line rule: any bytes split into at most 51 texts without a fault; each text is a piece of the file,
// in order, with no line end in it, and entries past the file's lines keep their values.
#include "settings/Language.h"

#include <cassert>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    settings::LanguageTexts table;
    table.fill("\x01untouched");
    const int count = settings::ParseLanguageLines(bytes, table);
    assert(count <= settings::kLanguageEntries && (count > 0) == !bytes.empty() && "1 to 51 entries, none when empty");

    for (int k = count; k < settings::kLanguageEntries; ++k)
        assert(table[k] == "\x01untouched" && "entries past the file's lines keep their values");
    std::size_t from = 0; // where the previous text ends; searching from there keeps the check linear
    for (int k = 0; k < count; ++k) {
        from = bytes.find(table[k], from);
        assert(from != std::string::npos && table[k].find_first_of("\r\n") == std::string::npos
            && "each text is a piece of the file after the one before, without a line end");
        from += table[k].size();
    }
    return 0;
}
