// Typing into a window of another thread, as another program's would be: every character
// arrives in order, a window that closes part-way is told from one that took everything, and
// the characters wait until the window has let go of the mouse after the click.
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "fixture.h"
#include "platform/win32/system.h"

namespace tessarin::platform::win32 {
namespace {

// A (hidden) window on a thread of its own that keeps the characters it is given and destroys itself
// after `closeAfter` of them; the thread goes on running, as a program that closed one of its
// windows does.
class OtherThreadWindow {
 public:
  explicit OtherThreadWindow(std::size_t closeAfter) : closeAfter_(closeAfter) {
    std::promise<HWND> created;
    auto window = created.get_future();
    thread_ = std::thread([this, &created] { run(created); });
    hwnd_ = window.get();
  }
  ~OtherThreadWindow() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  WindowId id() const { return reinterpret_cast<WindowId>(hwnd_); }
  // Runs `step` on the window's thread, and returns when it has run.
  void onItsThread(std::function<void(HWND)> step) {
    SendMessageW(hwnd_, kRunStep, 0, reinterpret_cast<LPARAM>(&step));
  }
  std::u16string received() {
    std::lock_guard lock(mutex_);
    return received_;
  }

 private:
  static constexpr UINT kRunStep = WM_APP;

  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunStep) {
      (*reinterpret_cast<std::function<void(HWND)>*>(lParam))(hwnd);
      return 0;
    }
    auto* self = reinterpret_cast<OtherThreadWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_CHAR && self) {
      std::lock_guard lock(self->mutex_);
      self->received_.push_back(static_cast<char16_t>(wParam));
      if (self->received_.size() == self->closeAfter_) DestroyWindow(hwnd);
      return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  void run(std::promise<HWND>& created) {
    threadId_ = GetCurrentThreadId();
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TypingTestTarget";
    RegisterClassW(&wc);
    const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"target", WS_POPUP, 50, 50, 200, 100,
                                      nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, before anyone posts to it
    created.set_value(hwnd);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }

  std::size_t closeAfter_;
  std::thread thread_;
  DWORD threadId_ = 0;
  HWND hwnd_ = nullptr;
  std::mutex mutex_;
  std::u16string received_;
};

class TypingTest : public Win32Test {
 protected:
  Win32System system;
};

TEST_F(TypingTest, EveryUnitArrivesInOrderAndIsCounted) {
  OtherThreadWindow target(std::u16string::npos);
  const std::u16string text = u"p\u00E4\U0001F600!\u03A9\u6F22";
  const ULONGLONG start = GetTickCount64();
  const auto typed = system.typeChars(target.id(), text);
  EXPECT_LT(GetTickCount64() - start, 900u) << "every answer came, none waited for the time-out";
  EXPECT_EQ(typed.result, System::SendResult::Taken);
  EXPECT_EQ(typed.taken, text.size());
  EXPECT_EQ(target.received(), text) << "all of it handled by the time typeChars returns";
}

TEST_F(TypingTest, AWindowThatClosesPartWayCountsOnlyWhatItTook) {
  OtherThreadWindow target(2);
  const ULONGLONG start = GetTickCount64();
  const auto typed = system.typeChars(target.id(), u"abcdef");
  EXPECT_EQ(typed.result, System::SendResult::Lost);
  EXPECT_EQ(typed.taken, 2u);
  EXPECT_EQ(target.received(), u"ab");
  EXPECT_LT(GetTickCount64() - start, 900u) << "a window that is gone says so at once, without the time-out";
}

// As a window does between the press and the release of the click that injection gives it.
TEST_F(TypingTest, TheClickIsTakenOnlyOnceTheWindowLetsGoOfTheMouse) {
  OtherThreadWindow target(std::u16string::npos);
  target.onItsThread([](HWND hwnd) {
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    SetFocus(hwnd);
    SetCapture(hwnd);
  });
  EXPECT_FALSE(system.waitForClickTaken(target.id(), 300)) << "the window still holds the mouse";
  target.onItsThread([](HWND) { ReleaseCapture(); });
  EXPECT_TRUE(system.waitForClickTaken(target.id(), 2000));
}

TEST_F(TypingTest, NoWindowOrAGoneOneTakesNothing) {
  EXPECT_EQ(system.typeChars(0, u"x").result, System::SendResult::Lost);
  const HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const auto typed = system.typeChars(reinterpret_cast<WindowId>(gone), u"x");
  EXPECT_EQ(typed.result, System::SendResult::Lost);
  EXPECT_EQ(typed.taken, 0u);
}

}  // namespace
}  // namespace tessarin::platform::win32
