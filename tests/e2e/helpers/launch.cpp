// launch: starts a program, publishes the handle it got at creation (see launched_process.h),
// waits for the program to end and ends with its exit code, so that a journey waits for it as
// for the program itself.
//
//   launch.exe <exe> [arguments...]
//
// Exit status: the program's, or 255 when it could not be started (the error on stderr).
#include <windows.h>

#include <cstdio>
#include <string>

#include "launched_process.h"

namespace {

std::wstring quoted(const wchar_t* argument) { return L"\"" + std::wstring(argument) + L"\""; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 255;
  std::wstring command = quoted(argv[1]);
  for (int i = 2; i < argc; ++i) command += L" " + quoted(argv[i]);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
    // Into the journey's launch log: a program that never started looks like one that hangs.
    std::fprintf(stderr, "launch: CreateProcessW failed with error %lu\n", GetLastError());
    return 255;
  }
  const e2e::LaunchedProcess published{GetCurrentProcessId(), reinterpret_cast<ULONG_PTR>(child.hProcess)};
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof published,
                                      e2e::launchedProcessName(child.dwProcessId).c_str());
  if (mapping) {
    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof published)) {
      *static_cast<e2e::LaunchedProcess*>(view) = published;
      UnmapViewOfFile(view);
    }
  }
  WaitForSingleObject(child.hProcess, INFINITE);
  DWORD code = 255;
  GetExitCodeProcess(child.hProcess, &code);
  if (mapping) CloseHandle(mapping);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return static_cast<int>(code);
}
