#pragma once

#include "platform/Platform.h"

#include <string>

namespace settings {

// "Dimoro Free " and the major, minor and revision numbers, as the options dialog shows it.
std::string VersionText(const platform::Version& version);

} // namespace settings
