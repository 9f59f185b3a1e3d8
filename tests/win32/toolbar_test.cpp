// The toolbar: keyed buttons, hidden entries, pressed states, clicks, tool tips and the
// drop-down menu of a button.
#include <stdexcept>
#include <string>
#include <vector>

#include "fixture.h"

namespace tessarin::platform::win32 {
namespace {

class ToolbarTest : public Win32Test {
 protected:
  void SetUp() override {
    form = loadedForm();
    toolbar = &form->addToolbar();
    toolbar->addButton(u"Standard", u"Standard Entry", true);
    toolbar->addButton(u"Hover", u"Hover Entry", true);
    toolbar->addSeparator(true);
    toolbar->addButton(u"Dvorak", u"Use Dvorak layout", false);
    toolbar->addSeparator(false);
    toolbar->addButton(u"Clear", u"Clear text/password", true);
    toolbar->onButtonClick = [this](std::u16string_view key) { clicked.emplace_back(key); };
  }
  HWND window() const { return hwndOf(*toolbar); }
  // Command ids follow the order the entries were added in.
  static int idOf(int entry) { return entry + 1; }
  // Presses and releases the mouse on a button, as a user does.
  void clickButton(int entry, int xFromRight = -1) {
    RECT rect;
    SendMessageW(window(), TB_GETRECT, static_cast<WPARAM>(idOf(entry)), reinterpret_cast<LPARAM>(&rect));
    const int x = xFromRight < 0 ? (rect.left + rect.right) / 2 : rect.right - xFromRight;
    const LPARAM at = MAKELPARAM(x, (rect.top + rect.bottom) / 2);
    SendMessageW(window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window(), WM_LBUTTONUP, 0, at);
  }

  std::unique_ptr<Form> form;
  Toolbar* toolbar = nullptr;
  std::vector<std::u16string> clicked;
};

TEST_F(ToolbarTest, EntriesKeepTheirOrderAndHiddenOnesStayHidden) {
  EXPECT_EQ(SendMessageW(window(), TB_BUTTONCOUNT, 0, 0), 6);
  EXPECT_FALSE(SendMessageW(window(), TB_ISBUTTONHIDDEN, idOf(0), 0));
  EXPECT_TRUE(SendMessageW(window(), TB_ISBUTTONHIDDEN, idOf(3), 0));
  EXPECT_TRUE(SendMessageW(window(), TB_ISBUTTONHIDDEN, idOf(4), 0));
  TBBUTTON separator{};
  SendMessageW(window(), TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&separator));
  EXPECT_TRUE(separator.fsStyle & BTNS_SEP);
}

// The pictures are drawn all at once when the bar is first painted; each button then shows the
// picture of its own key, one square of the strip, whatever was added before it.
TEST_F(ToolbarTest, EachButtonGetsThePictureOfItsKeyWhenTheBarIsPainted) {
  form->show();
  RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(window(), TB_GETIMAGELIST, 0, 0));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), 4);
  std::vector<int> pictures;
  for (int entry : {0, 1, 3, 5}) {
    TBBUTTON button{};
    SendMessageW(window(), TB_GETBUTTON, entry, reinterpret_cast<LPARAM>(&button));
    pictures.push_back(button.iBitmap);
  }
  EXPECT_EQ(pictures, (std::vector<int>{0, 1, 2, 3}));
  // Two different keys have different pictures: the strip was cut at the right places.
  int side = 0;
  ImageList_GetIconSize(images, &side, &side);
  const auto pixelsOf = [&](int index) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, side, side);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, side, side, WHITENESS);
    ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
  };
  const auto standard = pixelsOf(0);
  EXPECT_NE(standard, pixelsOf(1));
  EXPECT_NE(standard, std::vector<COLORREF>(standard.size(), RGB(255, 255, 255))) << "an empty picture";
}

TEST_F(ToolbarTest, PressedStateIsSetByKeyAndReadBack) {
  toolbar->setButtonPressed(u"Hover", true);
  EXPECT_TRUE(toolbar->buttonPressed(u"Hover"));
  EXPECT_TRUE(SendMessageW(window(), TB_ISBUTTONPRESSED, idOf(1), 0));
  EXPECT_FALSE(toolbar->buttonPressed(u"Standard"));
  toolbar->setButtonPressed(u"Hover", false);
  EXPECT_FALSE(toolbar->buttonPressed(u"Hover"));
  EXPECT_THROW(toolbar->setButtonPressed(u"NoSuchKey", true), std::invalid_argument);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(ToolbarTest, ClickingAButtonReportsItsKey) {
  clickButton(5);
  clickButton(0);
  EXPECT_EQ(clicked, (std::vector<std::u16string>{u"Clear", u"Standard"}));
}

TEST_F(ToolbarTest, ToolTipsComeFromTheEntries) {
  const HWND tips = reinterpret_cast<HWND>(SendMessageW(window(), TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  wchar_t text[256] = L"";
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = window();
  info.uId = static_cast<UINT_PTR>(idOf(5));
  info.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"Clear text/password");
}

TEST_F(ToolbarTest, IsDockedAtTheTopAcrossTheForm) {
  RECT client;
  GetClientRect(hwndOf(*form), &client);
  const long tpp = form->twipsPerPixel();
  toolbar->setBounds({300, 3000, 100, 100});
  const Twips bounds = toolbar->bounds();
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.width, client.right * tpp);
  EXPECT_GT(bounds.height, 16 * tpp);
}

// Chooses the second entry of the next popup menu once it is open.
void chooseSecondMenuEntry() {
  SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND menu = FindWindowW(L"#32768", nullptr)) {
      KillTimer(nullptr, id);
      PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
  });
}

TEST_F(ToolbarTest, AButtonWithMenuEntriesGetsADropDownWhoseChoiceIsReported) {
  toolbar->addButtonMenuEntry(u"Hover", u"Half Second Delay", u"halfseconddely");
  toolbar->addButtonMenuEntry(u"Hover", u"One Second Delay", u"oneseconddelay");
  TBBUTTONINFOW info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE;
  SendMessageW(window(), TB_GETBUTTONINFOW, idOf(1), reinterpret_cast<LPARAM>(&info));
  EXPECT_TRUE(info.fsStyle & BTNS_DROPDOWN);

  std::vector<std::u16string> chosen;
  toolbar->onButtonMenuClick = [&](std::u16string_view text) { chosen.emplace_back(text); };
  chooseSecondMenuEntry();
  clickButton(1, 4);  // on the arrow
  EXPECT_EQ(chosen, (std::vector<std::u16string>{u"One Second Delay"}));
  clickButton(1);  // the button itself still clicks
  EXPECT_EQ(clicked, (std::vector<std::u16string>{u"Hover"}));
}

}  // namespace
}  // namespace tessarin::platform::win32
