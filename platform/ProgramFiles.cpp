#include "ProgramFiles.h"

#include "Platform.h"

#include <filesystem>
#include <system_error>

namespace platform {

namespace {

constexpr const char* kOwnFolder = "Dimoro";
constexpr const char* kSettingsFile = "Dimoro.ini";

std::string Join(const std::string& folder, char separator, const std::string& name)
{
    if (!folder.empty() && folder.back() == separator)
        return folder + name;
    return folder + separator + name;
}

std::string Parent(const std::string& folder, char separator)
{
    const std::size_t at = folder.find_last_of(separator);
    if (at == std::string::npos)
        return {};
    // "/" and "C:\" keep their separator: without it they would name no folder, or the drive's current one.
    if (at == 0 || (at == 2 && folder[1] == ':'))
        return folder.substr(0, at + 1);
    return folder.substr(0, at);
}

// An XDG variable counts only when it holds an absolute path; anything else is to be ignored.
std::optional<std::string> AbsoluteValue(const EnvironmentLookup& environment, const char* name)
{
    std::optional<std::string> value = environment(name);
    if (value && !value->empty() && value->front() == '/')
        return value;
    return std::nullopt;
}

} // namespace

BaseFolders XdgBaseFolders(const EnvironmentLookup& environment, const std::string& home)
{
    BaseFolders base;
    base.config = AbsoluteValue(environment, "XDG_CONFIG_HOME").value_or(home + "/.config");
    base.cache = AbsoluteValue(environment, "XDG_CACHE_HOME").value_or(home + "/.cache");
    base.data = AbsoluteValue(environment, "XDG_DATA_HOME").value_or(home + "/.local/share");
    const std::string dirs = environment("XDG_CONFIG_DIRS").value_or("");
    for (std::size_t begin = 0; begin <= dirs.size();) {
        std::size_t end = dirs.find(':', begin);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string dir = dirs.substr(begin, end - begin);
        if (!dir.empty() && dir.front() == '/')
            base.systemConfig.push_back(dir);
        begin = end + 1;
    }
    if (base.systemConfig.empty())
        base.systemConfig.emplace_back("/etc/xdg");
    return base;
}

BaseFolders AppDataBaseFolders(const std::string& appData) { return {appData, {}, appData, appData}; }

ProgramFiles LocateProgramFiles(
    const std::string& executableFolder, char separator, const BaseFolders& base, const PathExists& exists)
{
    const auto join
        = [separator](const std::string& folder, const std::string& name) { return Join(folder, separator, name); };
    ProgramFiles files;
    const std::string shared = join(join(Parent(executableFolder, separator), "share"), "dimoro-free");
    files.installed = !exists(join(executableFolder, "Lang")) && exists(join(shared, "Lang"));
    if (!files.installed) {
        files.data = executableFolder;
        files.settings = join(executableFolder, kSettingsFile);
        files.settingsToRead = files.settings;
        files.pageFolder = executableFolder;
        return files;
    }
    files.data = shared;
    files.settings = join(join(base.config, kOwnFolder), kSettingsFile);
    files.settingsToRead = files.settings;
    if (!exists(files.settings)) {
        for (const std::string& folder : base.systemConfig) {
            const std::string defaults = join(join(folder, kOwnFolder), kSettingsFile);
            if (exists(defaults)) {
                files.settingsToRead = defaults;
                break;
            }
        }
    }
    files.pageFolder = join(base.cache, kOwnFolder);
    files.userLanguages = join(join(base.data, kOwnFolder), "Lang");
    return files;
}

bool PathOnDisk(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(Utf8Path(path), error);
}

bool MakeFolders(const std::filesystem::path& folder)
{
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return true;
    const std::filesystem::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !MakeFolders(parent))
        return false;
    if (!std::filesystem::create_directory(folder, error))
        return std::filesystem::is_directory(folder, error);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    return true;
}

} // namespace platform
