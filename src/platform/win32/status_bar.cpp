#include "platform/win32/status_bar.h"

#include "platform/win32/dpi.h"
#include "platform/win32/form.h"

namespace tessarin::platform::win32 {
namespace {

// The bar's usual height at 96 DPI.
constexpr long kDefaultHeight = 22;

}  // namespace

// The bar would size itself to its font on every parent resize; it is placed here instead,
// so that the height the program sets stays.
Win32StatusBar::Win32StatusBar(Win32Form& form)
    : NativeControl(form, {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN}, Making::WhenNeeded),
      heightPixels_(MulDiv(kDefaultHeight, static_cast<int>(dpi()), USER_DEFAULT_SCREEN_DPI)) {
  formResized();
}

void Win32StatusBar::setBounds(Twips bounds) {
  heightPixels_ = toPixels(bounds.height, twipsPerPixel());
  formResized();
}

void Win32StatusBar::formResized() {
  RECT client{};
  GetClientRect(form_.hwnd(), &client);
  placeAtPixels({0, client.bottom - heightPixels_, client.right, client.bottom});
}

}  // namespace tessarin::platform::win32
