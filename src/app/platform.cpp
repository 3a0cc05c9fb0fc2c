#include "app/platform.h"

#include "app/desktopplatform.h"

namespace {

Platform *installedPlatform = nullptr;

} // namespace

Platform::~Platform() = default;

Platform &Platform::current()
{
    if (!installedPlatform) {
        static DesktopPlatform desktop;
        installedPlatform = &desktop;
    }
    return *installedPlatform;
}

void Platform::install(Platform *platform)
{
    installedPlatform = platform;
}
