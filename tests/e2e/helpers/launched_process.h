#pragma once
// A program started by launch.exe: the launcher keeps the process handle the system gave it at
// creation, which keeps every right whatever DACL the program then sets on itself (as the handle
// of any parent or debugger does). It publishes that handle under a name made from the program's
// process id, so that a helper can copy it when the program refuses to be opened.
#include <windows.h>

#include <string>

namespace e2e {

struct LaunchedProcess {
  DWORD launcherId;
  ULONG_PTR processHandle;  // a handle value in the launcher's process
};

inline std::wstring launchedProcessName(DWORD processId) {
  return L"Local\\tessarin-e2e-launched-" + std::to_wstring(processId);
}

// A handle with every right to the process, copied from its launcher; null when it was not
// started by launch.exe.
inline HANDLE handleFromLauncher(DWORD processId) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, launchedProcessName(processId).c_str());
  if (!mapping) return nullptr;
  LaunchedProcess launched{};
  if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof launched)) {
    launched = *static_cast<const LaunchedProcess*>(view);
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  HANDLE launcher = OpenProcess(PROCESS_DUP_HANDLE, FALSE, launched.launcherId);
  if (!launcher) return nullptr;
  HANDLE copy = nullptr;
  DuplicateHandle(launcher, reinterpret_cast<HANDLE>(launched.processHandle), GetCurrentProcess(), &copy, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  CloseHandle(launcher);
  return copy;
}

}  // namespace e2e
