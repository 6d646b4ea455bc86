#pragma once

#include "platform/Platform.h"

#include <string>

namespace settings {

// "Dimoro Free " and the executable's major, minor and revision numbers; set at start-up.
extern std::string versionText;

std::string MakeVersionText(const platform::Version& version);

} // namespace settings
