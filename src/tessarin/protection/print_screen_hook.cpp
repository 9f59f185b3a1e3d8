#include "protection/print_screen_hook.h"

namespace tessarin {

std::uintptr_t InstallPrintScreenHook(platform::System& system, std::uintptr_t& hookHandle) {
  if (hookHandle == 0) hookHandle = system.installPrintScreenHook();
  return hookHandle;
}

void RemovePrintScreenHook(platform::System& system, std::uintptr_t& hookHandle) {
  if (hookHandle != 0) system.removePrintScreenHook(hookHandle);
  hookHandle = 0;
}

}  // namespace tessarin
