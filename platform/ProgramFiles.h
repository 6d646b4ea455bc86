#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where the program's own files are and where it keeps what it writes. A copy whose Lang folder lies beside
// the executable is portable (the build folder, an unpacked copy): everything stays beside the executable.
// A copy that finds its data in ../share/dimoro-free instead is installed: its folder belongs to the system,
// so the settings, the translation page and the user's own language files live in the user's folders.
namespace platform {

// The user's folders for settings, caches and data, and the system's folders of settings defaults, as the
// session names them; each without the program's own "Dimoro" folder. Absolute paths.
struct BaseFolders
{
    std::string config;
    std::vector<std::string> systemConfig;
    std::string cache;
    std::string data;
};

struct ProgramFiles
{
    bool installed = false;
    std::string data; // the folder of Lang/, Click/ and the help pages
    std::string settings; // the Dimoro.ini that is written
    std::string settingsToRead; // the user's file when it exists, else the administrator's default, else settings
    std::string pageFolder; // where the translation page is written
    std::string userLanguages; // a user's own language files, read before the shipped ones; empty when portable
};

using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
using PathExists = std::function<bool(const std::string& path)>;

// The XDG base-directory rules: a variable that is unset, empty or relative gives the default under home.
BaseFolders XdgBaseFolders(const EnvironmentLookup& environment, const std::string& home);

// Windows keeps a user's settings, caches and data in one roaming folder (%APPDATA%).
BaseFolders AppDataBaseFolders(const std::string& appData);

// The rule above for an executable in executableFolder on a system with that separator.
ProgramFiles LocateProgramFiles(
    const std::string& executableFolder, char separator, const BaseFolders& base, const PathExists& exists);

// True when the path names anything on disk (UTF-8).
bool PathOnDisk(const std::string& path);

// Makes a folder and its missing parents, the new ones for their owner alone (as the XDG rules ask).
bool MakeFolders(const std::filesystem::path& folder);

} // namespace platform
