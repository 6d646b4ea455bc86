#include "Platform.h"
#include "Log.h"

#include <cstdio>
#include <filesystem>

namespace platform {

namespace {
WarningSink g_warningSink = nullptr;
}

void SetWarningSink(WarningSink sink) { g_warningSink = sink; }

void Warn(const std::string& message)
{
    if (g_warningSink != nullptr)
        g_warningSink(message);
    else
        std::fprintf(stderr, "dimoro: %s\n", message.c_str());
}

std::string ProgramPath(Platform& os, const std::string& relative)
{
    std::string path = os.files().data + os.separator() + relative;
    for (std::size_t i = path.size() - relative.size(); i < path.size(); ++i) {
        if (path[i] == '/')
            path[i] = os.separator();
    }
    return path;
}

std::filesystem::path Utf8Path(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool IsVisibleRegularFile(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path file(path);
    const std::string name = file.filename().string();
    return !name.empty() && name.front() != '.' && std::filesystem::is_regular_file(file, error);
}

} // namespace platform
