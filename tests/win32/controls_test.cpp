// Buttons, labels, sliders, the status bar and icons.
#include <algorithm>
#include <string>
#include <vector>

#include "fixture.h"

namespace tessarin::platform::win32 {
namespace {

class ControlsTest : public Win32Test {
 protected:
  void SetUp() override { form = loadedForm(); }
  std::unique_ptr<Form> form;
};

TEST_F(ControlsTest, ButtonShowsPressedWithoutClicking) {
  CommandButton& button = form->addButton({});
  int clicks = 0;
  button.onClick = [&] { ++clicks; };
  button.setCaption(u"q");
  EXPECT_EQ(button.caption(), u"q");
  button.showPressed(true);
  EXPECT_TRUE(button.shownPressed());
  EXPECT_TRUE(SendMessageW(hwndOf(button), BM_GETSTATE, 0, 0) & BST_PUSHED);
  button.showPressed(false);
  EXPECT_FALSE(button.shownPressed());
  EXPECT_EQ(clicks, 0);

  button.setEnabled(false);
  EXPECT_FALSE(button.enabled());
  EXPECT_FALSE(IsWindowEnabled(hwndOf(button)));
  button.setEnabled(true);
  SendMessageW(hwndOf(*form), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(hwndOf(button)));
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, DefaultAndCancelButtonsAnswerEnterAndEscapeAnywhereInTheForm) {
  CommandButton& ok = form->addButton({});
  CommandButton& cancel = form->addButton({});
  CommandButton& other = form->addButton({});
  TextBox& box = form->addTextBox({});
  std::vector<std::string> clicks;
  ok.onClick = [&] { clicks.push_back("ok"); };
  cancel.onClick = [&] { clicks.push_back("cancel"); };
  other.setDefault(true);
  ok.setDefault(true);  // takes the default from the other button
  cancel.setCancel(true);
  EXPECT_EQ(GetWindowLongPtrW(hwndOf(ok), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongPtrW(hwndOf(other), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

  const auto press = [&](int key) {
    PostMessageW(hwndOf(box), WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    toolkit.doEvents();
  };
  press(VK_RETURN);
  press(VK_ESCAPE);
  ok.setEnabled(false);
  press(VK_RETURN);
  cancel.setCancel(false);
  press(VK_ESCAPE);
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
}

TEST_F(ControlsTest, LabelTakesItsColoursAndWorksAsALink) {
  Label& label = form->addLabel(u"Home page", {u"Tahoma", 8.25, false, true, true});
  label.setBounds({150, 150, 3000, 300});
  EXPECT_EQ(label.caption(), u"Home page");
  const auto paintColours = [&](COLORREF& text, COLORREF& back) {
    HDC dc = GetDC(hwndOf(label));
    SendMessageW(hwndOf(*form), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwndOf(label)));
    text = GetTextColor(dc);
    back = GetBkColor(dc);
    ReleaseDC(hwndOf(label), dc);
  };
  COLORREF text = 0;
  COLORREF back = 0;
  paintColours(text, back);
  EXPECT_EQ(back, 0x00E0E0E0u);  // the form's background
  label.setForeColor(0x00FF0000);
  label.setBackColor(0x0000FFFF);
  paintColours(text, back);
  EXPECT_EQ(text, 0x00FF0000u);
  EXPECT_EQ(back, 0x0000FFFFu);

  int clicks = 0;
  label.onClick = [&] { ++clicks; };
  SendMessageW(hwndOf(label), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(hwndOf(label), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(clicks, 1);
  SendMessageW(hwndOf(label), WM_SETCURSOR, reinterpret_cast<WPARAM>(hwndOf(label)), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(ControlsTest, SliderClampsSetValuesAndReportsOnlyTheUsersChanges) {
  Slider& slider = form->addSlider();
  slider.setBounds({150, 150, 3000, 450});
  int changes = 0;
  slider.onChange = [&] { ++changes; };
  slider.setRange(10, 99);
  slider.setValue(50);
  EXPECT_EQ(slider.value(), 50);
  slider.setValue(5);
  EXPECT_EQ(slider.value(), 10);
  slider.setValue(200);
  EXPECT_EQ(slider.value(), 99);
  toolkit.doEvents();
  EXPECT_EQ(changes, 0);

  slider.setValue(50);
  SetFocus(hwndOf(slider));
  SendMessageW(hwndOf(slider), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(hwndOf(slider), WM_KEYUP, VK_RIGHT, 0);
  EXPECT_EQ(slider.value(), 51);
  EXPECT_EQ(changes, 1);
  // Dragging the thumb counts when it is let go, once.
  SendMessageW(hwndOf(slider), TBM_SETPOS, TRUE, 60);
  SendMessageW(hwndOf(*form), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 60), reinterpret_cast<LPARAM>(hwndOf(slider)));
  EXPECT_EQ(changes, 1);
  SendMessageW(hwndOf(*form), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 60), reinterpret_cast<LPARAM>(hwndOf(slider)));
  SendMessageW(hwndOf(*form), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(hwndOf(slider)));
  EXPECT_EQ(changes, 2);
}

// The tool tip belongs to the form; it is found through the tool it has for the slider.
// The tool-tip windows of this thread.
std::vector<HWND> toolTipWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        wchar_t className[64] = L"";
        GetClassNameW(window, className, 64);
        if (std::wstring(className) == TOOLTIPS_CLASSW) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring toolTipOf(HWND form, HWND tool) {
  std::wstring found;
  for (HWND window : toolTipWindows()) {
    wchar_t text[256] = L"";
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = form;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    SendMessageW(window, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    if (text[0]) found = text;
  }
  return found;
}

TEST_F(ControlsTest, SliderHasItsOwnToolTip) {
  Slider& slider = form->addSlider();
  slider.setToolTip(u"Delay in milliseconds");
  EXPECT_EQ(toolTipOf(hwndOf(*form), hwndOf(slider)), L"Delay in milliseconds");
  slider.setToolTip(u"Transparency");
  EXPECT_EQ(toolTipOf(hwndOf(*form), hwndOf(slider)), L"Transparency");
}

// Each tool-tip window is a top-level window, costly to make; the form's sliders share one.
TEST_F(ControlsTest, SlidersOfAFormShareOneToolTipWindowEachWithItsOwnTip) {
  Slider& delay = form->addSlider();
  Slider& transparency = form->addSlider();
  delay.setToolTip(u"Delay in milliseconds");
  transparency.setToolTip(u"Transparency");
  EXPECT_EQ(toolTipOf(hwndOf(*form), hwndOf(delay)), L"Delay in milliseconds");
  EXPECT_EQ(toolTipOf(hwndOf(*form), hwndOf(transparency)), L"Transparency");
  const auto windows = toolTipWindows();
  EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                          [&](HWND window) { return GetWindow(window, GW_OWNER) == hwndOf(*form); }),
            1);
}

// No tip can show before its form does: a form laid out hidden makes the window once it shows.
TEST_F(ControlsTest, ADeferredFormMakesItsToolTipWindowWhenItFirstShows) {
  FormArgs args;
  args.placeControlsWhenFirstShown = true;
  auto deferred = loadedForm(args);
  Slider& slider = deferred->addSlider();
  slider.setToolTip(u"Transparency");
  const auto ownedByDeferred = [&] {
    const auto windows = toolTipWindows();
    return std::count_if(windows.begin(), windows.end(),
                         [&](HWND window) { return GetWindow(window, GW_OWNER) == hwndOf(*deferred); });
  };
  EXPECT_EQ(ownedByDeferred(), 0);
  deferred->show();
  EXPECT_EQ(ownedByDeferred(), 1);
  EXPECT_EQ(toolTipOf(hwndOf(*deferred), hwndOf(slider)), L"Transparency");
  slider.setToolTip(u"Delay");
  EXPECT_EQ(toolTipOf(hwndOf(*deferred), hwndOf(slider)), L"Delay");
}

TEST_F(ControlsTest, StatusBarStaysDockedAtTheBottomWithTheHeightGiven) {
  StatusBar& bar = form->addStatusBar();
  RECT client;
  GetClientRect(hwndOf(*form), &client);
  const long tpp = form->twipsPerPixel();
  EXPECT_EQ(bar.bounds().top + bar.bounds().height, client.bottom * tpp);
  bar.setBounds({0, 0, 100, 20 * tpp});
  EXPECT_EQ(bar.bounds(), (Twips{0, (client.bottom - 20) * tpp, client.right * tpp, 20 * tpp}));
  bar.setVisible(false);
  bar.setBounds({0, 0, 0, 0});
  EXPECT_FALSE(bar.visible());
  EXPECT_EQ(bar.bounds().height, 0);
}

// The error icon is the system's own, drawn from its image at the size the control has.
TEST_F(ControlsTest, ErrorIconShowsTheSystemsErrorIconAtItsSize) {
  Icon& icon = form->addIcon(IconKind::Error);
  const long tpp = form->twipsPerPixel();
  icon.setBounds({240, 180, 48 * tpp, 48 * tpp});
  EXPECT_EQ(icon.kind(), IconKind::Error);
  const auto shown = reinterpret_cast<HICON>(SendMessageW(hwndOf(icon), STM_GETICON, 0, 0));
  ASSERT_NE(shown, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(shown, &info));
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 48);
  // A colour icon's mask is as high as the icon; a monochrome one holds two masks.
  EXPECT_EQ(mask.bmHeight, info.hbmColor ? 48 : 96);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  // The program's icon is empty in the tests, whose executable carries none.
  Icon& program = form->addIcon(IconKind::Program);
  program.setBounds({240, 180, 32 * tpp, 32 * tpp});
  EXPECT_EQ(SendMessageW(hwndOf(program), STM_GETICON, 0, 0), 0);
}

}  // namespace
}  // namespace tessarin::platform::win32
