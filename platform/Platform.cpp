#include "Platform.h"

#include <cassert>

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

} // namespace platform
