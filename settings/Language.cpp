#include "Language.h"

#include "Settings.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace settings {

LanguageTexts LanguageTable;

namespace {

TextTargets* g_targets = nullptr;

constexpr const char* kFallbackFile = "English.lng";
constexpr std::size_t kPrefixLength = 3;
// Far above any real language file; a huge file named by mistake is not read whole.
constexpr std::size_t kReadLimit = std::size_t {1024} * 1024;

template<typename Id>
struct Assignment
{
    Id id;
    int entry;
    const char* ending;
};

// Tooltips of Image1(0..8), in the order they are assigned.
constexpr Assignment<int> kToolbarTips[] = {
    {0, 12, ""},
    {1, 22, ""},
    {2, 9, ""},
    {3, 8, ""},
    {4, 10, ""},
    {5, 6, ""},
    {6, 7, ""},
    {7, 13, "..."},
    {8, 2, ""},
};

constexpr Assignment<OptionsText> kOptionsTexts[] = {
    {OptionsText::Caption, 13, ""},
    {OptionsText::Label3, 14, " (0 - 10)"},
    {OptionsText::Label4, 15, " (2 - 20)"},
    {OptionsText::Label5, 16, ""},
    {OptionsText::Label6, 17, ""},
    {OptionsText::Label7, 18, ""},
    {OptionsText::Label9, 23, ""},
    {OptionsText::Label10, 24, ""},
    {OptionsText::Label11, 25, ""},
    {OptionsText::Label12Tip, 11, ""},
    {OptionsText::Command2, 5, ""},
    {OptionsText::Image1Tip, 3, ""},
};

constexpr Assignment<ExitQuestionText> kExitQuestionTexts[] = {
    {ExitQuestionText::Caption, 12, ""},
    {ExitQuestionText::Label1, 19, ""},
    {ExitQuestionText::Si, 20, ""},
    {ExitQuestionText::No, 21, ""},
};

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

std::filesystem::path ToPath(const std::string& utf8)
{
    // Names are UTF-8 in memory; the file system takes them in its own encoding (UTF-8 on Linux, UTF-16 on
    // Windows), so "Español.lng" from Dimoro.ini's Windows-1252 opens the same file on both.
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

void AttachTextTargets(TextTargets* targets) { g_targets = targets; }

void ApplyLanguage()
{
    if (g_targets == nullptr)
        return;
    // The first text of a dialog that is not loaded loads it; the options dialog's load applies the texts
    // again, and that inner pass loads the exit question.
    for (const auto& tip : kToolbarTips)
        g_targets->setToolbarTip(tip.id, LanguageTable[tip.entry] + tip.ending);
    for (const auto& text : kOptionsTexts)
        g_targets->setOptionsText(text.id, LanguageTable[text.entry] + text.ending);
    for (const auto& text : kExitQuestionTexts)
        g_targets->setExitQuestionText(text.id, LanguageTable[text.entry] + text.ending);
}

std::string GetLingua(std::uint32_t lcType)
{
    constexpr int kBufferLength = 256;
    std::array<char, kBufferLength> buffer {};
    const int written = platform::Current().localeInfo(lcType, buffer.data(), kBufferLength);
    if (written <= 0)
        return {};
    // The count includes the terminating zero; a backend that overstates it is held to the buffer.
    return std::string(buffer.data(), static_cast<std::size_t>(std::min(written, kBufferLength) - 1));
}

void DetectLanguage()
{
    std::string code = GetLingua(platform::LocaleIso639LanguageName);
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
    Settings.languageFile = name + ".lng";
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

std::string LanguageFilePath(const std::string& fileName)
{
    platform::Platform& system = platform::Current();
    return system.executableFolder() + system.separator() + "Lang" + system.separator() + fileName;
}

bool ReadLanguageFile(const std::string& fileName, std::string& bytes)
{
    const std::filesystem::path path = ToPath(LanguageFilePath(fileName));
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

bool LoadLanguageFrom(const std::string& fileName)
{
    std::string bytes;
    if (!ReadLanguageFile(fileName, bytes))
        return false;

    LanguageTexts lines;
    const int count = ParseLanguageLines(bytes, lines);
    platform::Platform& system = platform::Current();
    for (int k = 0; k < count; ++k)
        LanguageTable[k] = system.fromAnsi(lines[k]);
    return true;
}

void LoadLanguageFile()
{
    if (!LoadLanguageFrom(Settings.languageFile))
        LoadLanguageFrom(kFallbackFile);
}

} // namespace settings
