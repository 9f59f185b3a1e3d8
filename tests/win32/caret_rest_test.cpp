// The focused box's caret stops waking the program once nobody has touched it for a while, and
// the next input brings it back.
#include "fixture.h"
#include "platform/win32/caret_rest.h"

namespace tessarin::platform::win32 {
namespace {

// Wine and Windows blink the caret with a system timer message to the caret's window.
constexpr UINT kSysTimer = 0x0118;

class CaretRestTest : public Win32Test {
 protected:
  // How many blinks of the caret reach the thread in that time, every message handled.
  static int blinksWithin(DWORD milliseconds) {
    int blinks = 0;
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
      MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == kSysTimer) ++blinks;
        DispatchMessageW(&msg);
      }
    }
    return blinks;
  }
};

TEST_F(CaretRestTest, RestsAfterQuietAndWakesOnInput) {
  auto form = shownForm();
  TextBox& box = form->addTextBox({});
  box.setBounds({120, 120, 2400, 330});
  box.setFocus();
  ASSERT_TRUE(box.hasFocus());
  CaretRest rest(1500);
  rest.awake();
  // Blinks every half second or so while it shows, then rests: nothing at all for a second.
  EXPECT_GE(blinksWithin(1100), 1) << "the caret blinks while there is input";
  EXPECT_TRUE(pumpUntil([&] { return blinksWithin(1200) == 0; }, 6000)) << "the caret never rested";
  rest.awake();
  EXPECT_GE(blinksWithin(1200), 1) << "input brought the caret back";
}

TEST_F(CaretRestTest, InputAndFocusAreWhatWakeIt) {
  EXPECT_TRUE(CaretRest::isInput(WM_MOUSEMOVE));
  EXPECT_TRUE(CaretRest::isInput(WM_LBUTTONDOWN));
  EXPECT_TRUE(CaretRest::isInput(WM_KEYDOWN));
  EXPECT_TRUE(CaretRest::isInput(WM_CHAR));
  EXPECT_TRUE(CaretRest::isInput(WM_NCLBUTTONDOWN));
  EXPECT_FALSE(CaretRest::isInput(WM_TIMER));
  EXPECT_FALSE(CaretRest::isInput(WM_PAINT));
  EXPECT_FALSE(CaretRest::isInput(kSysTimer));
}

}  // namespace
}  // namespace tessarin::platform::win32
