#include "Settings.h"

#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/Platform.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
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
// - Only the first 64 KiB of the file are read; a UTF-8 byte-order mark at its start is skipped.
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

// Beside the target, so that the rename stays within one file system, and named after this process, so that
// another one's save (another user's, sharing a portable folder) can tell that it is still in progress.
std::filesystem::path FreeTemporaryPath(const std::filesystem::path& target)
{
    std::random_device random;
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".tmp-" + std::to_string(platform::CurrentProcessId()) + "-" + std::to_string(random());
        if (!std::filesystem::exists(candidate, error) && !error)
            return candidate;
    }
    return {};
}

// The id of the process that made a temporary file, from its name; 0 for a name that is not one of ours.
long WriterOf(const std::u8string& name, const std::u8string& prefix)
{
    if (!name.starts_with(prefix))
        return 0;
    long pid = 0;
    std::size_t i = prefix.size();
    for (; i < name.size() && name[i] >= u8'0' && name[i] <= u8'9' && pid < 100000000; ++i)
        pid = pid * 10 + (name[i] - u8'0');
    return i < name.size() && name[i] == u8'-' ? pid : 0;
}

// Temporary files that a save killed before its rename (or a power cut) left behind. Only those of processes that
// no longer run go: a process that runs may be in the middle of its save.
void RemoveLeftTemporaries(const std::filesystem::path& target)
{
    // Compared as UTF-8: a name outside the system's code page must not stop the clean-up.
    const std::u8string prefix = target.filename().u8string() + u8".tmp-";
    std::error_code error;
    for (std::filesystem::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        const long writer = WriterOf(entry->path().filename().u8string(), prefix);
        if (writer > 0 && !platform::ProcessRunning(writer) && entry->is_regular_file(error))
            std::filesystem::remove(entry->path(), error);
    }
}

// A symlinked Dimoro.ini (kept in a synced folder, say) stays a link: the file it leads to is the one written.
std::filesystem::path LinkTarget(std::filesystem::path path)
{
    std::error_code error;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)); ++hops) {
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// Written beside the old file, flushed, and renamed over it, so that neither a kill nor a power cut leaves a cut
// file. A folder that takes no new file may still hold a file its user may write (a folder of the system's with a
// settings file given to the user): that one is written in place.
bool WriteSettingsFile(const std::filesystem::path& link, const std::string& bytes)
{
    const std::filesystem::path path = LinkTarget(link);
    std::error_code error;
    // The rename would replace a file that may not be written, so ask first: a settings file someone made
    // read-only stays as it is. Opening for appending changes nothing in it. Anything but a plain file
    // (a folder, a FIFO that would block the opening) is left alone too.
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    const bool exists = std::filesystem::exists(status);
    if (exists && (!std::filesystem::is_regular_file(status) || !std::ofstream(path, std::ios::binary | std::ios::app)))
        return false;
    RemoveLeftTemporaries(path);
    const std::filesystem::path temporary = FreeTemporaryPath(path);
    if (temporary.empty())
        return false;
    switch (platform::WriteNewFile(temporary, bytes, exists ? platform::FileMode(path) : std::nullopt)) {
    case platform::NewFile::Written:
        break;
    case platform::NewFile::NotCreated:
        // The lines go in one write, so that even a kill between it and the cut leaves a file that starts with
        // them, and the reader takes no more fields than that.
        return exists && platform::OverwriteFile(path, bytes);
    case platform::NewFile::Failed:
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    platform::SyncFolder(path.parent_path());
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
    // An editor may put a UTF-8 byte-order mark in front; the first number would read as 0 with it.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string bytes
        = fileBytes.starts_with(kByteOrderMark) ? fileBytes.substr(kByteOrderMark.size()) : fileBytes;
    FieldReader reader(bytes);
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
    if (reader.next(false, field))
        into.showProgress = field == "0" ? 0 : 1;
}

std::string FormatSettings(platform::Platform& os, const Settings& from)
{
    std::string name = os.toAnsi(from.languageFile);
    // A line end inside the name would shift the two fields after it.
    for (char& c : name) {
        if (IsLineEnd(c))
            c = '?';
    }
    // Unquoted, a comma would end the name early, blanks around it would be dropped and a leading quote would be
    // taken for the start of a quoted value.
    if (name.find(',') != std::string::npos
        || (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back()) || name.front() == '"')))
        name = '"' + name + '"';
    std::string out;
    for (const std::string& line : {std::to_string(from.tolerance), std::to_string(from.dwellTenths),
             std::to_string(from.runAtLogon), name, std::to_string(from.sound), std::to_string(from.middleClick),
             std::string(from.showProgress == 0 ? "0" : "1")}) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool CanStoreLanguageName(platform::Platform& os, const std::string& name)
{
    Settings written;
    written.languageFile = name;
    Settings read;
    ParseSettings(os, FormatSettings(os, written), read);
    return read.languageFile == name;
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
