#pragma once

#include <string>

// The Qt-free libraries report a failure they go on from here; the program routes it to its log.
namespace platform {

using WarningSink = void (*)(const std::string& message);

// Where warnings go from now on; null gives standard error, the default.
void SetWarningSink(WarningSink sink);

// One line about a failure the caller goes on from.
void Warn(const std::string& message);

} // namespace platform
