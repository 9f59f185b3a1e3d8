#include "platform/win32/dll_search.h"

#include <windows.h>

namespace tessarin::platform::win32 {
namespace {

// Looked up by name: older Windows lacks them, and a static import would stop the program there.
template <class Function>
Function* kernelFunction(const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

void searchSystemFolderOnly() {
  using SetDefaultDllDirectoriesFn = BOOL WINAPI(DWORD);
  auto* setDefault = kernelFunction<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories");
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Without it (Windows 7 lacking its 2011 loader update, and older) the program's folder stays
  // on the path; the current folder at least leaves it.
  SetDllDirectoryW(L"");
}

void refuseForeignCode() {
  using SetPolicyFn = BOOL WINAPI(PROCESS_MITIGATION_POLICY, PVOID, SIZE_T);
  auto* setPolicy = kernelFunction<SetPolicyFn>("SetProcessMitigationPolicy");
  if (!setPolicy) return;
  // No AppInit libraries, no hook libraries of other programs' global hooks, no legacy IMEs.
  // The program's own keyboard hook is a low-level one, which loads nothing into anyone.
  PROCESS_MITIGATION_EXTENSION_POINT_DISABLE_POLICY extensionPoints{};
  extensionPoints.DisableExtensionPoints = 1;
  setPolicy(ProcessExtensionPointDisablePolicy, &extensionPoints, sizeof extensionPoints);
  // No images from network shares or of low integrity, and the system folder before the
  // program's for whatever loads by name. Windows before 10 1607 refuses the last flag, so
  // the first two are asked for again alone.
  PROCESS_MITIGATION_IMAGE_LOAD_POLICY imageLoad{};
  imageLoad.NoRemoteImages = 1;
  imageLoad.NoLowMandatoryLabelImages = 1;
  imageLoad.PreferSystem32Images = 1;
  if (setPolicy(ProcessImageLoadPolicy, &imageLoad, sizeof imageLoad)) return;
  imageLoad.PreferSystem32Images = 0;
  setPolicy(ProcessImageLoadPolicy, &imageLoad, sizeof imageLoad);
}

}  // namespace

void restrictDllSearch() {
  searchSystemFolderOnly();
  refuseForeignCode();
}

}  // namespace tessarin::platform::win32
