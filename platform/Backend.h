#pragma once

#include "platform/Platform.h"

#include <memory>
#include <string>

// The backend of the system the program is built for; each backend folder implements these two.
namespace platform {

// What the session lacks for any window to open, checked before the GUI starts; empty when nothing.
std::string MissingBeforeStart();

// The system's backend, created once the GUI runs. Null when it cannot work here; whyNot then says why.
std::unique_ptr<Platform> CreateSystemPlatform(std::string& whyNot);

} // namespace platform
