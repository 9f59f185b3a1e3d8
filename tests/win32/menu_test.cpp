// Menus: the native menu tree (captions, shortcuts, check marks, enabled state), invisible
// items taken out and put back in place, clicks, and shortcut keys.
#include <string>
#include <vector>

#include "fixture.h"

namespace tessarin::platform::win32 {
namespace {

std::wstring itemText(HMENU menu, UINT position) {
  wchar_t text[128] = L"";
  GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

std::vector<std::wstring> itemTexts(HMENU menu) {
  std::vector<std::wstring> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) texts.push_back(itemText(menu, static_cast<UINT>(i)));
  return texts;
}

UINT itemState(HMENU menu, UINT position) { return GetMenuState(menu, position, MF_BYPOSITION); }

class MenuTest : public Win32Test {
 protected:
  void SetUp() override {
    form = loadedForm();
    file = &form->addMenuItem(nullptr, u"&File");
    keepOnTop = &form->addMenuItem(file, u"Keep on &Top");
    exit = &form->addMenuItem(file, u"E&xit", {true, 'Q'});
    view = &form->addMenuItem(nullptr, u"&View");
    toolbar = &form->addMenuItem(view, u"&Toolbar");
    form->addMenuItem(view, u"-");
    mask = &form->addMenuItem(view, u"&Password Mask", {true, 'M'});
    help = &form->addMenuItem(nullptr, u"Help");
    homepage = &form->addMenuItem(help, u"Visit homepage", {false, VK_F1});
  }
  HMENU bar() const { return GetMenu(hwndOf(*form)); }
  HMENU popup(int position) const { return GetSubMenu(bar(), position); }
  // Counts the clicks each item gets.
  void countClicks(MenuItem& item, int& count) {
    item.onClick = [&count] { ++count; };
  }

  std::unique_ptr<Form> form;
  MenuItem* file = nullptr;
  MenuItem* keepOnTop = nullptr;
  MenuItem* exit = nullptr;
  MenuItem* view = nullptr;
  MenuItem* toolbar = nullptr;
  MenuItem* mask = nullptr;
  MenuItem* help = nullptr;
  MenuItem* homepage = nullptr;
};

TEST_F(MenuTest, TheTreeBecomesAMenuBarWithShortcutsAfterATab) {
  ASSERT_NE(bar(), nullptr);
  EXPECT_EQ(itemTexts(bar()), (std::vector<std::wstring>{L"&File", L"&View", L"Help"}));
  EXPECT_EQ(itemTexts(popup(0)), (std::vector<std::wstring>{L"Keep on &Top", L"E&xit\tCtrl+Q"}));
  EXPECT_EQ(itemText(popup(1), 2), L"&Password Mask\tCtrl+M");
  EXPECT_TRUE(itemState(popup(1), 1) & MF_SEPARATOR);
  EXPECT_EQ(itemText(popup(2), 0), L"Visit homepage\tF1");
  EXPECT_EQ(exit->shortcut().virtualKey, 'Q');
}

TEST_F(MenuTest, CheckMarksCaptionsAndEnabledStateReachTheNativeItems) {
  toolbar->setChecked(true);
  EXPECT_TRUE(toolbar->checked());
  EXPECT_TRUE(itemState(popup(1), 0) & MF_CHECKED);
  toolbar->setChecked(false);
  EXPECT_FALSE(itemState(popup(1), 0) & MF_CHECKED);

  exit->setEnabled(false);
  EXPECT_FALSE(exit->enabled());
  EXPECT_TRUE(itemState(popup(0), 1) & MF_GRAYED);
  exit->setEnabled(true);
  EXPECT_FALSE(itemState(popup(0), 1) & MF_GRAYED);

  mask->setCaption(u"Mask");
  EXPECT_EQ(mask->caption(), u"Mask");
  EXPECT_EQ(itemText(popup(1), 2), L"Mask\tCtrl+M");
}

TEST_F(MenuTest, InvisibleItemsLeaveTheMenuAndComeBackInTheirPlace) {
  keepOnTop->setVisible(false);
  EXPECT_FALSE(keepOnTop->visible());
  EXPECT_EQ(itemTexts(popup(0)), (std::vector<std::wstring>{L"E&xit\tCtrl+Q"}));
  keepOnTop->setChecked(true);  // stays in the tree while hidden
  exit->setVisible(false);
  EXPECT_EQ(GetMenuItemCount(popup(0)), 0);
  exit->setVisible(true);
  keepOnTop->setVisible(true);
  EXPECT_EQ(itemTexts(popup(0)), (std::vector<std::wstring>{L"Keep on &Top", L"E&xit\tCtrl+Q"}));
  EXPECT_TRUE(itemState(popup(0), 0) & MF_CHECKED);

  view->setVisible(false);
  EXPECT_EQ(itemTexts(bar()), (std::vector<std::wstring>{L"&File", L"Help"}));
  view->setVisible(true);
  EXPECT_EQ(itemTexts(bar()), (std::vector<std::wstring>{L"&File", L"&View", L"Help"}));
  EXPECT_EQ(GetMenuItemCount(popup(1)), 3);

  file->setVisible(false);
  view->setVisible(false);
  help->setVisible(false);
  EXPECT_EQ(bar(), nullptr);  // no menu bar without a visible menu
}

TEST_F(MenuTest, ChoosingAnItemClicksItUnlessDisabled) {
  int clicks = 0;
  countClicks(*exit, clicks);
  const UINT id = GetMenuItemID(popup(0), 1);
  SendMessageW(hwndOf(*form), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  EXPECT_EQ(clicks, 1);
  exit->setEnabled(false);
  SendMessageW(hwndOf(*form), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MenuTest, ShortcutKeysRunTheItemsOfTheFormThatHasTheKey) {
  int exits = 0;
  int homepages = 0;
  countClicks(*exit, exits);
  countClicks(*homepage, homepages);
  auto other = loadedForm();
  int otherExits = 0;
  MenuItem& otherFile = other->addMenuItem(nullptr, u"&File");
  countClicks(other->addMenuItem(&otherFile, u"E&xit", {true, 'Q'}), otherExits);
  TextBox& box = form->addTextBox({});
  std::u16string typed;
  box.onKeyPress = [&](int& keyAscii) { typed += static_cast<char16_t>(keyAscii); };

  const auto press = [&](HWND window, int key) {
    PostMessageW(window, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    toolkit.doEvents();
  };
  {
    HeldKeys ctrl({VK_CONTROL});
    press(hwndOf(box), 'Q');
    press(hwndOf(*other), 'Q');
    press(hwndOf(*form), VK_F1);  // F1 has no Ctrl
  }
  press(hwndOf(*form), 'Q');  // Q alone is no shortcut
  press(hwndOf(*form), VK_F1);
  exit->setEnabled(false);
  {
    HeldKeys ctrl({VK_CONTROL});
    press(hwndOf(*form), 'Q');
  }
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(otherExits, 1);
  EXPECT_EQ(homepages, 1);
  EXPECT_EQ(typed, u"");  // the shortcut took the key before the box could
}

}  // namespace
}  // namespace tessarin::platform::win32
