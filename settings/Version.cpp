#include "Version.h"

namespace settings {

std::string VersionText(const platform::Version& version)
{
    return "Dimoro Free " + std::to_string(version.major) + "." + std::to_string(version.minor) + "."
        + std::to_string(version.revision);
}

} // namespace settings
