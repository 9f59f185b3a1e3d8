#pragma once
// Start-up entry: the backend calls Main, runs its message loop until the last window is
// unloaded, then destroys what Main returned (so the application's destructor runs last).
#include <memory>

#include "app/application.h"
#include "platform/platform.h"

namespace tessarin {

std::unique_ptr<Application> Main(platform::Platform& platform);

// What the backend shows when a run-time error reaches the top level, before the program ends.
std::u16string TopLevelErrorText(const RuntimeError& error);

}  // namespace tessarin
