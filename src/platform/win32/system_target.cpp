// The window a password is typed into: whose it is, whether it has taken the click that gives
// it the focus, and its name.
#include <windows.h>

#include "platform/win32/system.h"

namespace tessarin::platform::win32 {
namespace {

HWND handle(WindowId window) { return reinterpret_cast<HWND>(window); }

std::wstring desktopName(HDESK desktop) {
  wchar_t name[256] = {};
  return desktop && GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name, nullptr) ? name : L"";
}

// Between looks at the target's thread while it handles the click.
constexpr DWORD kLookIntervalMs = 2;
// How long the click must look over before the characters go.
constexpr ULONGLONG kClickSettleMs = 25;

// A program that cannot be waited on (no right to, or no message queue of its own, as a console
// program's) is judged by its focus alone.
bool idleOrUnknown(HANDLE program, DWORD timeoutMs) {
  return !program || WaitForInputIdle(program, timeoutMs) != WAIT_TIMEOUT;
}

}  // namespace

Win32System::WindowOwner Win32System::windowOwner(WindowId window) const {
  const HWND target = handle(window);
  if (!target || !IsWindow(target)) return WindowOwner::None;
  // The bare desktop (or the shell's window that draws it) is no field to type into.
  const HWND root = GetAncestor(target, GA_ROOT);
  if (target == GetDesktopWindow() || root == GetDesktopWindow() || (root && root == GetShellWindow()))
    return WindowOwner::None;
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(target, &process);
  if (process == GetCurrentProcessId()) return WindowOwner::ThisProgram;
  // Only a desktop known to differ counts: Wine, for one, cannot name another process's.
  const std::wstring theirs = desktopName(GetThreadDesktop(thread));
  if (!theirs.empty() && theirs != desktopName(GetThreadDesktop(GetCurrentThreadId()))) return WindowOwner::OtherDesktop;
  return WindowOwner::OtherProgram;
}

bool Win32System::waitForClickTaken(WindowId window, long timeoutMs) {
  const HWND target = handle(window);
  const HWND root = GetAncestor(target, GA_ROOT);
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(target, &process);
  // WaitForInputIdle needs the full query right; with less it fails at once, and the wait ran
  // to its end on every injection.
  const HANDLE program = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process);
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  // When the click was last seen not yet over; it counts as taken once it has looked over for
  // a while, since a thread that already had the focus and sat idle looks so before the click
  // even reaches it (and Wine's idle event, once set, stays set).
  ULONGLONG pendingAt = GetTickCount64();
  bool taken = false;
  for (;;) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const bool known = GetGUIThreadInfo(thread, &info);
    const bool focused = known && info.hwndFocus &&
                         (info.hwndFocus == target || GetAncestor(info.hwndFocus, GA_ROOT) == root);
    const bool holdsMouse = known && info.hwndCapture;
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    // Idle: waiting for input with none pending, so the click has been handled; unless its
    // release is still to come, as a window keeps the mouse from the press to the release and
    // a rich edit box drops the characters it is sent meanwhile.
    if (!focused || holdsMouse || !idleOrUnknown(program, left)) {
      pendingAt = GetTickCount64();
    } else if (GetTickCount64() - pendingAt >= kClickSettleMs) {
      taken = true;
      break;
    }
    if (GetTickCount64() >= deadline || !IsWindow(target)) break;
    Sleep(kLookIntervalMs);
  }
  if (program) CloseHandle(program);
  return taken;
}

std::uint32_t Win32System::programOf(WindowId window) const {
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(handle(window), &process);
  return process;
}

Win32System::WindowName Win32System::windowName(WindowId window) const {
  const HWND root = GetAncestor(handle(window), GA_ROOT);
  if (!root) return {};
  WindowName name;
  wchar_t title[256] = {};
  GetWindowTextW(root, title, 256);
  name.title.assign(reinterpret_cast<const char16_t*>(title));
  DWORD process = 0;
  GetWindowThreadProcessId(root, &process);
  if (const HANDLE program = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process)) {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameW(program, 0, path, &size)) {
      const std::wstring_view full(path, size);
      const auto file = full.substr(full.find_last_of(L"\\/") + 1);
      name.program.assign(reinterpret_cast<const char16_t*>(file.data()), file.size());
    }
    CloseHandle(program);
  }
  return name;
}

}  // namespace tessarin::platform::win32
