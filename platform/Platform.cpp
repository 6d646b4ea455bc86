#include "Platform.h"

#include <cassert>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {
Platform* g_backend = nullptr;
}

Platform& Current()
{
    assert(g_backend != nullptr && "platform::Install() must run first");
    return *g_backend;
}

void Install(Platform* backend) { g_backend = backend; }

bool IsVisibleRegularFile(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path file(path);
    const std::string name = file.filename().string();
    return !name.empty() && name.front() != '.' && std::filesystem::is_regular_file(file, error);
}

int CopyLocaleText(const std::string& text, char* buffer, int length)
{
    if (buffer == nullptr || length <= 0 || text.size() + 1 > static_cast<std::size_t>(length))
        return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size() + 1);
}

} // namespace platform
