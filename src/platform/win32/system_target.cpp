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
constexpr DWORD kLookIntervalMs = 1;
// When the target cannot be made to paint: how long the click must look over before the
// characters go.
constexpr ULONGLONG kClickSettleMs = 25;

// Makes the window's pixel under the pointer stale; false when the pointer is not over its
// client area or the window cannot be made so.
bool staleUnderPointer(HWND window) {
  POINT pointer{};
  RECT client{};
  if (!GetCursorPos(&pointer) || !ScreenToClient(window, &pointer) || !GetClientRect(window, &client) ||
      !PtInRect(&client, pointer))
    return false;
  const RECT pixel{pointer.x, pointer.y, pointer.x + 1, pointer.y + 1};
  return InvalidateRect(window, &pixel, FALSE) != FALSE;
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

// A window is painted only once its thread has no input left to handle. So the pixel under the
// pointer, which is the window's and no other's, is made stale after the click was queued: once
// it is fresh again, the thread has handled both the press and the release. A rich edit box
// drops the characters it is sent in between, and a thread that already had the focus and sat
// idle looks just as it will after the click.
bool Win32System::waitForClickTaken(WindowId window, long timeoutMs) {
  const HWND target = handle(window);
  const HWND root = GetAncestor(target, GA_ROOT);
  const DWORD thread = GetWindowThreadProcessId(target, nullptr);
  const bool probing = staleUnderPointer(target);
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  // When the click was last seen not yet over, for a target that cannot be made to paint.
  ULONGLONG pendingAt = GetTickCount64();
  for (;;) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const bool known = GetGUIThreadInfo(thread, &info);
    const bool focused = known && info.hwndFocus &&
                         (info.hwndFocus == target || GetAncestor(info.hwndFocus, GA_ROOT) == root);
    // A window keeps the mouse from the press to the release.
    const bool holdsMouse = known && info.hwndCapture;
    const bool painted = probing && !GetUpdateRect(target, nullptr, FALSE);
    const ULONGLONG now = GetTickCount64();
    if (!focused || holdsMouse) {
      pendingAt = now;
    } else if (painted || (!probing && now - pendingAt >= kClickSettleMs)) {
      return true;
    }
    if (now >= deadline || !IsWindow(target)) return false;
    Sleep(kLookIntervalMs);
  }
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
