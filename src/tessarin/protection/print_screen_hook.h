#pragma once
// The Print Screen block: installed once the windows are up, removed when the engine goes.
#include <cstdint>

#include "platform/system.h"

namespace tessarin {

// Installs the hook unless one is installed; a failure leaves 0 and the program runs without
// the block.
std::uintptr_t InstallPrintScreenHook(platform::System& system, std::uintptr_t& hookHandle);
void RemovePrintScreenHook(platform::System& system, std::uintptr_t& hookHandle);

}  // namespace tessarin
