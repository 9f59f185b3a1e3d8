// stopwatch: the timing helper of the benchmarks. It runs under Wine beside the programs it
// times, so that it sees their windows without the cost of starting a process per look.
//
//   stopwatch startup RUNS EXE_A TITLE_A EXE_B TITLE_B
//       Starts A and B in turn, RUNS times each, and prints "A <ms>" or "B <ms>" for each start:
//       the time from CreateProcess until a window with that title is shown. Each program is
//       ended before the next one starts.
//   stopwatch watch TITLE LOG
//       Appends "<time_us> <length>" to LOG whenever the length of the text in the shown edit
//       box of the window with that title changes (time_us as in clock.h); ends with the window.
//   stopwatch releases LOG
//       Appends "<time_us>" to LOG for every release of the left mouse button, as the system
//       sees it (a low-level mouse hook); runs until it is ended.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "clock.h"

namespace {

constexpr DWORD kShowTimeoutMs = 30000;

struct Started {
  PROCESS_INFORMATION process{};
  double showMs = -1;
};

// Starts EXE in its own folder and waits until its window is shown.
Started startAndTime(const std::wstring& exe, const wchar_t* title) {
  Started started;
  std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  LARGE_INTEGER frequency, begin, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &started.process)) {
    return started;
  }
  for (;;) {
    QueryPerformanceCounter(&now);
    const double elapsedMs = 1000.0 * static_cast<double>(now.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
    HWND window = FindWindowW(nullptr, title);
    if (window && IsWindowVisible(window)) {
      started.showMs = elapsedMs;
      break;
    }
    if (elapsedMs > kShowTimeoutMs || WaitForSingleObject(started.process.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  return started;
}

// A hard end: the figure is taken, and the next start must not overlap this one's ending.
void end(Started& started) {
  if (!started.process.hProcess) return;
  TerminateProcess(started.process.hProcess, 0);
  WaitForSingleObject(started.process.hProcess, 10000);
  CloseHandle(started.process.hThread);
  CloseHandle(started.process.hProcess);
}

int startup(int runs, wchar_t** programs) {
  for (int run = 0; run < runs; ++run) {
    for (int which = 0; which < 2; ++which) {
      Started started = startAndTime(programs[2 * which], programs[2 * which + 1]);
      const double ms = started.showMs;
      end(started);
      if (ms < 0) {
        std::fwprintf(stderr, L"%ls did not show its window\n", programs[2 * which]);
        return 1;
      }
      std::printf("%c %.1f\n", which == 0 ? 'A' : 'B', ms);
      std::fflush(stdout);
    }
  }
  return 0;
}

BOOL CALLBACK collectEdit(HWND child, LPARAM edits) {
  wchar_t className[16] = L"";
  GetClassNameW(child, className, 16);
  auto& list = *reinterpret_cast<std::vector<HWND>*>(edits);
  if (_wcsicmp(className, L"Edit") == 0) list.push_back(child);
  return TRUE;
}

int watch(const wchar_t* title, const wchar_t* logPath) {
  HWND window = nullptr;
  for (DWORD waited = 0; !(window = FindWindowW(nullptr, title)); waited += 10) {
    if (waited > kShowTimeoutMs) return 1;
    Sleep(10);
  }
  std::vector<HWND> edits;
  EnumChildWindows(window, collectEdit, reinterpret_cast<LPARAM>(&edits));
  FILE* log = _wfopen(logPath, L"ab");
  if (!log) return 1;
  long long lastLength = -1;
  while (IsWindow(window)) {
    for (HWND edit : edits) {
      if (!IsWindowVisible(edit)) continue;
      DWORD_PTR length = 0;
      if (SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length) &&
          static_cast<long long>(length) != lastLength) {
        lastLength = static_cast<long long>(length);
        std::fprintf(log, "%lld %lld\n", e2e::nowMicroseconds(), lastLength);
        std::fflush(log);
      }
      break;
    }
    Sleep(1);
  }
  std::fclose(log);
  return 0;
}

FILE* gReleases = nullptr;

LRESULT CALLBACK onMouse(int code, WPARAM message, LPARAM info) {
  if (code == HC_ACTION && message == WM_LBUTTONUP) {
    std::fprintf(gReleases, "%lld\n", e2e::nowMicroseconds());
    std::fflush(gReleases);
  }
  return CallNextHookEx(nullptr, code, message, info);
}

int releases(const wchar_t* logPath) {
  gReleases = _wfopen(logPath, L"ab");
  if (!gReleases) return 1;
  HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, onMouse, GetModuleHandleW(nullptr), 0);
  if (!hook) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  UnhookWindowsHookEx(hook);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"startup" && argc == 7) return startup(_wtoi(argv[2]), argv + 3);
  if (mode == L"watch" && argc == 4) return watch(argv[2], argv[3]);
  if (mode == L"releases" && argc == 3) return releases(argv[2]);
  std::fputs("usage: stopwatch startup RUNS EXE_A TITLE_A EXE_B TITLE_B | watch TITLE LOG | releases LOG\n", stderr);
  return 2;
}
