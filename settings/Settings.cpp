#include "Settings.h"

#include "platform/Log.h"
#include "platform/Platform.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <system_error>

// Reading rules where the file alone does not say what to do. The priority is that a damaged file never
// keeps the program from starting and clicking:
// - A field the file does not give (short file, missing file) keeps its value: 0 or empty at start-up.
// - An empty line is an empty field, as the file written for an empty language name has one.
// - A numeric field that is not an optional sign and decimal digits, or lies outside 16 bits, reads as 0,
//   so a damaged dwell time falls to the default timing rather than to a huge or negative one.
// - After a number's blank, the rest of the field up to the comma or line end is ignored.
// - CR LF, CR and LF each end a line; tabs count as blanks; a missing final line end is accepted.
// - Blanks after an unquoted language name are dropped; a quoted value ends at its closing quote or at the
//   line end, whichever comes first; the name stops at a NUL byte.
// - Only the first 64 KiB of the file are read.
namespace settings {

namespace {

constexpr std::size_t kReadLimit = std::size_t {64} * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

bool IsDelimiter(char c) { return c == ',' || IsLineEnd(c); }

// Walks the file one delimited field at a time.
class FieldReader
{
public:
    explicit FieldReader(const std::string& bytes)
        : m_bytes(bytes)
    { }

    // False once the file is used up: the field is then not present.
    bool next(bool numeric, std::string& value)
    {
        if (m_pos >= m_bytes.size())
            return false;
        value.clear();
        while (m_pos < m_bytes.size() && IsBlank(m_bytes[m_pos]))
            ++m_pos;
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '"') {
            ++m_pos;
            while (m_pos < m_bytes.size() && m_bytes[m_pos] != '"' && !IsLineEnd(m_bytes[m_pos]))
                value += m_bytes[m_pos++];
        } else {
            const auto ends = [numeric](char c) { return IsDelimiter(c) || (numeric && IsBlank(c)); };
            while (m_pos < m_bytes.size() && !ends(m_bytes[m_pos]))
                value += m_bytes[m_pos++];
            while (!value.empty() && IsBlank(value.back()))
                value.pop_back();
        }
        skipPastDelimiter();
        return true;
    }

private:
    void skipPastDelimiter()
    {
        while (m_pos < m_bytes.size() && !IsDelimiter(m_bytes[m_pos]))
            ++m_pos;
        if (m_pos >= m_bytes.size())
            return;
        const char delimiter = m_bytes[m_pos++];
        if (delimiter == '\r' && m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
            ++m_pos;
    }

    const std::string& m_bytes;
    std::size_t m_pos = 0;
};

std::int16_t ToInt16(const std::string& text)
{
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        i = 1;
    if (i == text.size())
        return 0;
    // Bounded by one past the int16 range, so that no digit string overflows.
    constexpr long kLimit = 32769;
    long magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return 0;
        magnitude = std::min(kLimit, magnitude * 10 + (c - '0'));
    }
    const long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(value);
}

// A name nobody else uses, beside the target so that the rename stays within one file system.
std::filesystem::path FreeTemporaryPath(const std::filesystem::path& target)
{
    const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::random_device random;
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".tmp-" + std::to_string(ticks % 1000000007ULL) + "-" + std::to_string(random());
        if (!std::filesystem::exists(candidate, error) && !error)
            return candidate;
    }
    return {};
}

// Temporary files of earlier saves that a kill or a power cut left behind. Only one copy of the program
// runs from a folder, so no other save can be using one of them.
void RemoveLeftTemporaries(const std::filesystem::path& target)
{
    // Compared as UTF-8: a name outside the system's code page must not stop the clean-up.
    const std::u8string prefix = target.filename().u8string() + u8".tmp-";
    std::error_code error;
    for (std::filesystem::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().filename().u8string().starts_with(prefix) && entry->is_regular_file(error))
            std::filesystem::remove(entry->path(), error);
    }
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    return !out.fail();
}

// Written beside the old file and renamed over it, so that a crash or a full disk never leaves a cut file.
bool WriteSettingsFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::error_code error;
    // The rename would replace a file that may not be written, so ask first: a settings file someone made
    // read-only stays as it is. Opening for appending changes nothing in it. Anything but a plain file
    // (a folder, a FIFO that would block the opening) is left alone too.
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::exists(status)
        && (!std::filesystem::is_regular_file(status) || !std::ofstream(path, std::ios::binary | std::ios::app)))
        return false;
    RemoveLeftTemporaries(path);
    const std::filesystem::path temporary = FreeTemporaryPath(path);
    if (temporary.empty())
        return false;
    if (!WriteFile(temporary, bytes)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace

Settings WithDefaultTiming(Settings settings)
{
    if (settings.dwellTenths == 0) {
        settings.tolerance = kDefaultTolerance;
        settings.dwellTenths = kDefaultDwellTenths;
    }
    return settings;
}

std::string SettingsPath(platform::Platform& os) { return os.files().settings; }

std::string RunAtLogonCommand(platform::Platform& os)
{
    return os.executableFolder() + os.separator() + os.executableName();
}

void ParseSettings(platform::Platform& os, const std::string& fileBytes, Settings& into)
{
    FieldReader reader(fileBytes);
    std::string field;
    if (reader.next(true, field))
        into.tolerance = ToInt16(field);
    if (reader.next(true, field))
        into.dwellTenths = ToInt16(field);
    if (reader.next(true, field))
        into.runAtLogon = ToInt16(field);
    if (reader.next(false, field)) {
        // The name goes on to C file APIs, which would stop at a NUL anyway.
        field.resize(std::min(field.size(), field.find('\0')));
        into.languageFile = os.fromAnsi(field);
    }
    if (reader.next(true, field))
        into.sound = ToInt16(field);
    if (reader.next(true, field))
        into.middleClick = ToInt16(field);
}

std::string FormatSettings(platform::Platform& os, const Settings& from)
{
    std::string name = os.toAnsi(from.languageFile);
    // A line end inside the name would shift the two fields after it.
    for (char& c : name) {
        if (IsLineEnd(c))
            c = '?';
    }
    std::string out;
    for (const std::string& line : {std::to_string(from.tolerance), std::to_string(from.dwellTenths),
             std::to_string(from.runAtLogon), name, std::to_string(from.sound), std::to_string(from.middleClick)}) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void LoadSettings(platform::Platform& os, Settings& settings)
{
    // An installed copy reads the administrator's defaults until the user has a file of their own.
    const std::filesystem::path path = platform::Utf8Path(os.files().settingsToRead);
    // Opening a FIFO or a device would block or read forever, and a folder reads as nothing.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    std::string bytes(kReadLimit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    ParseSettings(os, bytes, settings);
}

bool SaveSettings(platform::Platform& os, const Settings& settings)
{
    const std::filesystem::path path = platform::Utf8Path(SettingsPath(os));
    // The user's own settings folder may not be there yet; a portable copy writes into its existing folder.
    if (os.files().installed)
        platform::MakeFolders(path.parent_path());
    if (WriteSettingsFile(path, FormatSettings(os, settings)))
        return true;
    platform::Warn("could not write " + SettingsPath(os) + "; the settings last until the program ends");
    return false;
}

} // namespace settings
