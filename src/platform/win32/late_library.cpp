#include "platform/win32/late_library.h"

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {
namespace {

struct LateImport {
  std::string_view library;
  const char* function;
};

// What the program imports from each delay-loaded library: made by the build from delay/*.def.
constexpr LateImport kLateImports[] = {
#include "late_imports.inc"
};

}  // namespace

void requireLateLibrary(const char* library) {
  // Loaded already (by an earlier call, or by the system): checked without a reference of ours.
  HMODULE module = GetModuleHandleA(library);
  const bool loadedHere = !module;
  if (loadedHere) module = LoadLibraryA(library);
  if (!module) throw windowsError(GetLastError(), (std::string("LoadLibrary ") + library).c_str());
  for (const LateImport& import : kLateImports) {
    if (import.library != library || GetProcAddress(module, import.function)) continue;
    const DWORD error = GetLastError();
    if (loadedHere) FreeLibrary(module);
    throw windowsError(error, (std::string(library) + " " + import.function).c_str());
  }
}

}  // namespace tessarin::platform::win32
