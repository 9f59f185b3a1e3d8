// Typing into a window of another thread, as another program's would be: every character
// arrives in order, a window that closes part-way is told from one that took everything, and
// the characters wait until the window has let go of the mouse after the click.
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

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
  // Keeps the window's thread busy for that long once it gets to input queued before now.
  void busyFor(DWORD milliseconds) { PostMessageW(hwnd_, kBusy, milliseconds, 0); }
  std::u16string received() {
    std::lock_guard lock(mutex_);
    return received_;
  }

 private:
  static constexpr UINT kRunStep = WM_APP;
  static constexpr UINT kBusy = WM_APP + 1;

  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kBusy) {
      Sleep(static_cast<DWORD>(wParam));
      return 0;
    }
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
  // Types the batches, asked to go on each time.
  System::TypeResult typeAll(WindowId window, std::initializer_list<std::u16string_view> batches) {
    const std::vector<std::u16string_view> list(batches);
    return system.typeChars(window, list, [this] {
      ++askedToGoOn;
      return true;
    });
  }
  Win32System system;
  int askedToGoOn = 0;
};

TEST_F(TypingTest, EveryUnitArrivesInOrderAndIsCounted) {
  OtherThreadWindow target(std::u16string::npos);
  const std::u16string_view first = u"p\u00E4\U0001F600";
  const std::u16string_view second = u"!\u03A9\u6F22";
  const ULONGLONG start = GetTickCount64();
  const auto typed = typeAll(target.id(), {first, second, u"x"});
  EXPECT_LT(GetTickCount64() - start, 900u) << "every answer came, none waited for the time-out";
  EXPECT_EQ(typed.result, System::SendResult::Taken);
  EXPECT_EQ(typed.taken, first.size() + second.size() + 1);
  EXPECT_EQ(target.received(), std::u16string(first) + std::u16string(second) + u"x")
      << "all of it handled by the time typeChars returns";
  EXPECT_EQ(askedToGoOn, 2) << "before each batch after the first";
}

TEST_F(TypingTest, TypingStopsWhenToldAndAWindowThatClosesPartWayCountsOnlyWhatItTook) {
  OtherThreadWindow target(2);
  const ULONGLONG start = GetTickCount64();
  const auto typed = typeAll(target.id(), {u"abc", u"def"});
  EXPECT_EQ(typed.result, System::SendResult::Lost);
  EXPECT_EQ(typed.taken, 2u);
  EXPECT_EQ(target.received(), u"ab");
  EXPECT_LT(GetTickCount64() - start, 900u) << "a window that is gone says so at once, without the time-out";

  OtherThreadWindow another(std::u16string::npos);
  const std::vector<std::u16string_view> batches{u"ab", u"cd", u"ef"};
  const auto stopped = system.typeChars(another.id(), batches, [] { return false; });
  EXPECT_EQ(stopped.result, System::SendResult::Stopped);
  EXPECT_EQ(stopped.taken, 2u);
  EXPECT_EQ(another.received(), u"ab") << "nothing after the batch that went before the answer";
}

// As a window does between the press and the release of the click that injection gives it, and
// while its thread still works through the input queued before the wait.
TEST_F(TypingTest, TheClickIsTakenOnlyOnceTheWindowLetsGoOfTheMouseAndHasHandledItsInput) {
  OtherThreadWindow target(std::u16string::npos);
  target.onItsThread([](HWND hwnd) {
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    SetFocus(hwnd);
    SetCapture(hwnd);
  });
  RECT rect{};
  GetWindowRect(reinterpret_cast<HWND>(target.id()), &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  EXPECT_FALSE(system.waitForClickTaken(target.id(), 300)) << "the window still holds the mouse";
  target.onItsThread([](HWND) { ReleaseCapture(); });
  target.busyFor(400);
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(system.waitForClickTaken(target.id(), 2000));
  EXPECT_GE(GetTickCount64() - start, 350u) << "not before its thread got through what was queued";
}

TEST_F(TypingTest, NoWindowOrAGoneOneTakesNothing) {
  EXPECT_EQ(typeAll(0, {u"x"}).result, System::SendResult::Lost);
  const HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const auto typed = typeAll(reinterpret_cast<WindowId>(gone), {u"x"});
  EXPECT_EQ(typed.result, System::SendResult::Lost);
  EXPECT_EQ(typed.taken, 0u);
}

}  // namespace
}  // namespace tessarin::platform::win32
