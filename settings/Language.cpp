#include "Language.h"

#include "platform/Log.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace settings {

namespace {

constexpr const char* kFallbackFile = "English.lng";
constexpr std::size_t kPrefixLength = 3;
// Far above any real language file; a huge file named by mistake is not read whole.
constexpr std::size_t kReadLimit = std::size_t {1024} * 1024;

// The name, in the order the locale's language is compared, of the file for each language code.
struct LanguageFile
{
    const char* code;
    const char* name;
};

constexpr LanguageFile kLanguageFiles[] = {
    {"it", "Italiano"},
    {"fr", "French"},
    {"es", "Espa\xC3\xB1ol"},
    {"de", "Deutsch"},
};

} // namespace

std::string LanguageFileForUser(platform::Platform& os)
{
    std::string code = os.userLanguageCode();
    std::transform(
        code.begin(), code.end(), code.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    code.resize(std::min<std::size_t>(code.size(), 2));
    std::string name = "English";
    for (const LanguageFile& file : kLanguageFiles) {
        if (code == file.code) {
            name = file.name;
            break;
        }
    }
    return name + ".lng";
}

int ParseLanguageLines(const std::string& bytes, LanguageTexts& table)
{
    int entry = 0;
    std::size_t pos = 0;
    while (pos < bytes.size() && entry < kLanguageEntries) {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const std::size_t length = end - pos;
        table[entry++] = length > kPrefixLength ? bytes.substr(pos + kPrefixLength, length - kPrefixLength) : "";
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        // LF alone ends a line too: a file saved by a Linux editor would otherwise be one single line.
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return entry;
}

std::string LanguageFilePath(platform::Platform& os, const std::string& fileName)
{
    // A user of an installed copy adds or mends a language without root: their file of that name comes first.
    const std::string& own = os.files().userLanguages;
    if (!own.empty() && !fileName.empty()) {
        const std::string path = own + os.separator() + fileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(platform::Utf8Path(path), error))
            return path;
    }
    return platform::ProgramPath(os, "Lang/") + fileName;
}

bool ReadLanguageFile(platform::Platform& os, const std::string& fileName, std::string& bytes)
{
    const std::filesystem::path path = platform::Utf8Path(LanguageFilePath(os, fileName));
    // A folder reads as nothing, and a FIFO or a device would block or never end.
    std::error_code error;
    if (fileName.empty() || !std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(kReadLimit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        bytes.clear();
        return false;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

bool LanguageTable::loadFrom(platform::Platform& os, const std::string& fileName)
{
    std::string bytes;
    if (!ReadLanguageFile(os, fileName, bytes))
        return false;

    LanguageTexts lines;
    const int count = ParseLanguageLines(bytes, lines);
    for (int k = 0; k < count; ++k)
        m_texts[k] = os.fromAnsi(lines[k]);
    // Translations made before a text existed end before it; English says it rather than nothing, or the
    // previous language.
    LanguageTexts english;
    if (count <= kLastEntry && fileName != kFallbackFile && ReadLanguageFile(os, kFallbackFile, bytes)) {
        const int known = ParseLanguageLines(bytes, english);
        for (int k = std::max(count, kFirstAddedEntry); k < known; ++k)
            m_texts[k] = os.fromAnsi(english[k]);
    }
    return true;
}

void LanguageTable::loadForStart(platform::Platform& os, const std::string& fileName)
{
    if (loadFrom(os, fileName))
        return;
    platform::Warn("cannot read the language file \"" + fileName + "\"; the texts are English");
    if (!loadFrom(os, kFallbackFile))
        platform::Warn("cannot read " + LanguageFilePath(os, kFallbackFile) + "; the windows show no texts");
}

} // namespace settings
