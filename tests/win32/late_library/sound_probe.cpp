// Plays the hover beep the way tessarin.exe does, from wherever it is copied to, and prints
// which sound library that loaded and how the attempt ended. With "restricted" it first
// restricts the library search as tessarin.exe does at start-up.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <system_error>

#include "platform/win32/dll_search.h"
#include "platform/win32/system.h"

int wmain(int argc, wchar_t** argv) {
  using namespace tessarin::platform::win32;
  if (argc > 1 && std::wcscmp(argv[1], L"restricted") == 0) restrictDllSearch();
  const char* outcome = "played";
  std::system_error failure(0, std::system_category());
  try {
    Win32System system;
    if (!system.playSoundSync(u"C:\\no such folder\\beep.wav")) outcome = "not played";
  } catch (const std::system_error& error) {
    outcome = "error";
    failure = error;
  }
  wchar_t loaded[MAX_PATH] = L"none";
  if (HMODULE winmm = GetModuleHandleW(L"winmm.dll")) GetModuleFileNameW(winmm, loaded, MAX_PATH);
  std::printf("outcome=%s\ncode=%d\nwhat=%s\nloaded=%ls\n", outcome, failure.code().value(), failure.what(), loaded);
  return 0;
}
