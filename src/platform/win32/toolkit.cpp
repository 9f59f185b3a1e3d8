#include "platform/win32/toolkit.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/win32/callback.h"
#include "platform/win32/cursor.h"
#include "platform/win32/form.h"
#include "platform/win32/late_library.h"
#include "platform/win32/message_box.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {
namespace {
// As long as recent Windows lets a caret blink by default.
constexpr DWORD kCaretRestMs = 5000;
}  // namespace

Win32Toolkit::Win32Toolkit() : caretRest_(kCaretRestMs) {
  // Every form has common controls, and the key buttons draw with the visual styles.
  requireLateLibrary("comctl32.dll");
  requireLateLibrary("uxtheme.dll");
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  Win32Form::registerWindowClass();
}

Win32Toolkit::~Win32Toolkit() {
  if (hiddenOwner_) DestroyWindow(hiddenOwner_);
  if (greyDot_) DestroyCursor(greyDot_);
  Win32Form::unregisterWindowClass();
}

// Made when first needed: drawing it costs start-up a round of requests to the window server.
HCURSOR Win32Toolkit::greyDotCursor() {
  if (!greyDot_) greyDot_ = createGreyDotCursor();
  return greyDot_;
}

// Only the dialogs need it, and a top-level window costs start-up many requests to the window
// server.
HWND Win32Toolkit::hiddenOwner() {
  if (hiddenOwner_) return hiddenOwner_;
  hiddenOwner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (!hiddenOwner_) throwLastError("CreateWindowExW (hidden owner)");
  return hiddenOwner_;
}

std::unique_ptr<Form> Win32Toolkit::createForm(const FormArgs& args) {
  return std::make_unique<Win32Form>(*this, args);
}

std::vector<Form*> Win32Toolkit::loadedForms() const { return {loaded_.begin(), loaded_.end()}; }

MsgBoxResult Win32Toolkit::messageBox(std::u16string_view text, std::u16string_view title,
                                      int style, Form* owner) {
  const MsgBoxResult result =
      showMessageBox(owner ? reinterpret_cast<HWND>(owner->id()) : nullptr, text, title, style);
  // The box runs its own message loop, which may have called the program.
  rethrowParked();
  return result;
}

bool Win32Toolkit::excludeFromCapture(bool exclude) {
  excludeFromCapture_ = exclude;
  bool accepted = !captureRefused_;
  for (Win32Form* form : loaded_) accepted = applyCaptureChoice(form->hwnd()) && accepted;
  return accepted;
}

bool Win32Toolkit::applyCaptureChoice(HWND window) {
  if (captureRefused_) return false;
  if (!excludeFromCapture_) return SetWindowDisplayAffinity(window, WDA_NONE) != FALSE;
  // Before Windows 10 2004 only the blacked-out form exists.
  if (SetWindowDisplayAffinity(window, WDA_EXCLUDEFROMCAPTURE) || SetWindowDisplayAffinity(window, WDA_MONITOR))
    return true;
  captureRefused_ = true;
  return false;
}

void Win32Toolkit::doEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!dispatch(msg)) break;
  }
}

void Win32Toolkit::doEventsFor(long milliseconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(std::max(milliseconds, 0L));
  for (;;) {
    doEvents();
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void Win32Toolkit::runMessageLoop() {
  MSG msg;
  while (!loaded_.empty()) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return;
    dispatch(msg);
  }
}

void Win32Toolkit::pumpUntil(const std::function<bool()>& done) {
  MSG msg;
  while (!done()) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0 || !dispatch(msg)) return;
  }
}

bool Win32Toolkit::dispatch(MSG& msg) {
  if (msg.message == WM_QUIT) {
    // Leave it for the outermost loop.
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  if (CaretRest::isInput(msg.message)) caretRest_.awake();
  if (!runKey(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  rethrowParked();
  return true;
}

bool Win32Toolkit::runKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !msg.hwnd) return false;
  // Accelerator rules: Shift and Alt must be up, Ctrl exactly as the shortcut says.
  if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0) return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  for (Win32Form* form : loaded_) {
    if (form->hwnd() == root) return form->runKey(static_cast<int>(msg.wParam), ctrl);
  }
  return false;
}

void Win32Toolkit::formLoaded(Win32Form& form) { loaded_.push_back(&form); }

void Win32Toolkit::mainFormShown(Win32Form& form) {
  if (!sessionWatchAskedOf_) askToWatchSession(form.hwnd());
}

bool Win32Toolkit::askToWatchSession(HWND form) {
  if (!PostMessageW(form, kWatchSession, 0, 0)) return false;
  sessionWatchAskedOf_ = form;
  return true;
}

void Win32Toolkit::watchSession(HWND form) { sessionWatch_.watchWith(form); }

void Win32Toolkit::sessionLeft() { fire(onSessionLeft); }

void Win32Toolkit::formUnloaded(Win32Form& form) {
  std::erase(loaded_, &form);
  if (loaded_.empty()) wake();
}

void Win32Toolkit::park(std::exception_ptr error) noexcept {
  if (!parked_) parked_ = std::move(error);
}

void Win32Toolkit::rethrowParked() {
  if (auto error = std::exchange(parked_, nullptr)) std::rethrow_exception(error);
}

void Win32Toolkit::foregroundMoving(HWND form) {
  if (foregroundMovePostedTo_) return;
  if (PostMessageW(form, kForegroundSettled, 0, 0)) foregroundMovePostedTo_ = form;
}

void Win32Toolkit::foregroundSettled() {
  foregroundMovePostedTo_ = nullptr;
  fire(onForegroundChanged);
}

void Win32Toolkit::formWindowDestroyed(HWND form) {
  if (sessionWatchAskedOf_ == form) {
    sessionWatch_.windowGoing(form);
    sessionWatchAskedOf_ = nullptr;
    for (Win32Form* other : loaded_)
      if (other->hwnd() != form && askToWatchSession(other->hwnd())) break;
  }
  if (foregroundMovePostedTo_ != form) return;
  foregroundMovePostedTo_ = nullptr;
  for (Win32Form* other : loaded_)
    if (other->hwnd() != form) return foregroundMoving(other->hwnd());
}

void Win32Toolkit::wake() { PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0); }

}  // namespace tessarin::platform::win32
