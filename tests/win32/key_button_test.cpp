// Key buttons: the caption is drawn by the button and stays out of the window text, where any
// process could read it, until it is made readable.
#include <cstdlib>
#include <string>

#include "fixture.h"

namespace tessarin::platform::win32 {
namespace {

class KeyButtonTest : public Win32Test {
 protected:
  void SetUp() override {
    form = loadedForm();
    const long tpp = form->twipsPerPixel();
    key = &form->addKeyButton({});
    key->setBounds({0, 0, 60 * tpp, 60 * tpp});
  }
  HWND hwnd() const { return hwndOf(*key); }
  std::wstring windowTextOf() const {
    wchar_t text[64] = L"";
    SendMessageW(hwnd(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // Pixels in the middle of the button, as it paints itself, that stand out from its face (the
  // colour at the middle's corner); the frame edges are left out.
  int inkInTheMiddle() const {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 60);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF face = GetPixel(dc, 15, 15);
    int ink = 0;
    for (int y = 15; y < 45; ++y)
      for (int x = 15; x < 45; ++x) {
        const COLORREF c = GetPixel(dc, x, y);
        const int difference = std::abs(GetRValue(c) - GetRValue(face)) + std::abs(GetGValue(c) - GetGValue(face)) +
                               std::abs(GetBValue(c) - GetBValue(face));
        if (difference > 90) ++ink;
      }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ink;
  }
  std::unique_ptr<Form> form;
  CommandButton* key = nullptr;
};

TEST_F(KeyButtonTest, KeepsItsCaptionOutOfTheWindowTextButDrawsIt) {
  key->setCaption(u"W");
  EXPECT_EQ(key->caption(), u"W");
  EXPECT_FALSE(key->captionReadable());
  EXPECT_EQ(GetWindowTextLengthW(hwnd()), 0);
  EXPECT_EQ(windowTextOf(), L"");
  EXPECT_EQ(GetWindowLongPtrW(hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_GT(inkInTheMiddle(), 10) << "the caption is drawn";
  key->setCaption(u"");
  EXPECT_EQ(inkInTheMiddle(), 0) << "and only the caption";
}

TEST_F(KeyButtonTest, AReadableCaptionIsTheWindowTextAndFollowsChanges) {
  key->setCaption(u"q");
  key->setCaptionReadable(true);
  EXPECT_EQ(windowTextOf(), L"q");
  key->setCaption(u"Q");
  EXPECT_EQ(windowTextOf(), L"Q");
  key->setCaptionReadable(false);
  EXPECT_EQ(windowTextOf(), L"");
  EXPECT_EQ(key->caption(), u"Q");
}

TEST_F(KeyButtonTest, ShowsPressedAndDisabledLikeAPushButton) {
  key->setCaption(u"W");
  key->showPressed(true);
  EXPECT_TRUE(key->shownPressed());
  EXPECT_GT(inkInTheMiddle(), 10);
  key->showPressed(false);
  key->setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(hwnd()));
  EXPECT_EQ(windowTextOf(), L"");
}

TEST_F(KeyButtonTest, PlainButtonsKeepTheirCaptionReadable) {
  CommandButton& plain = form->addButton({});
  plain.setCaption(u"OK");
  plain.setCaptionReadable(false);
  EXPECT_TRUE(plain.captionReadable());
  wchar_t text[8] = L"";
  GetWindowTextW(hwndOf(plain), text, 8);
  EXPECT_EQ(std::wstring(text), L"OK");
}

}  // namespace
}  // namespace tessarin::platform::win32
