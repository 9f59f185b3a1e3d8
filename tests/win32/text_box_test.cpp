// Text boxes: text and selection in UTF-16 positions, the password character, and the key and
// mouse events (cancelled, changed, and never raised by code).
#include <string>
#include <vector>

#include "fixture.h"

namespace tessarin::platform::win32 {
namespace {

class TextBoxTest : public Win32Test {
 protected:
  void SetUp() override {
    form = loadedForm();
    box = &form->addTextBox({});
    box->setBounds({150, 150, 4500, 450});
  }
  std::u16string text() const {
    const SecureString secure = box->text();
    return std::u16string(secure.view());
  }
  std::unique_ptr<Form> form;
  TextBox* box = nullptr;
};

// "a", U+1F600 as two UTF-16 code units, "b".
const std::u16string kWithSurrogates = u"a\U0001F600b";

TEST_F(TextBoxTest, TextRoundTripsInUtf16) {
  box->setText(kWithSurrogates);
  EXPECT_EQ(text(), kWithSurrogates);
  EXPECT_EQ(GetWindowTextLengthW(hwndOf(*box)), 4);
  box->setText(u"");
  EXPECT_EQ(text(), u"");
}

TEST_F(TextBoxTest, SelectionPositionsAreUtf16CodeUnits) {
  box->setText(kWithSurrogates);
  box->setSelStart(1);
  box->setSelLength(2);
  EXPECT_EQ(box->selStart(), 1);
  EXPECT_EQ(box->selLength(), 2);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwndOf(*box), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(box->text().substr(1, 2), u"\U0001F600");
}

TEST_F(TextBoxTest, SettingTheStartCollapsesTheSelectionAndPositionsAreClamped) {
  box->setText(u"abcdef");
  box->setSelStart(1);
  box->setSelLength(3);
  box->setSelStart(2);
  EXPECT_EQ(box->selStart(), 2);
  EXPECT_EQ(box->selLength(), 0);
  box->setSelLength(99);
  EXPECT_EQ(box->selLength(), 4);
  box->setSelStart(99);
  EXPECT_EQ(box->selStart(), 6);
  box->setSelStart(-5);
  EXPECT_EQ(box->selStart(), 0);
}

TEST_F(TextBoxTest, PasswordCharacterMasksTheDisplayOnly) {
  box->setText(u"secret");
  box->setPasswordChar(u'*');
  EXPECT_EQ(box->passwordChar(), u'*');
  EXPECT_EQ(SendMessageW(hwndOf(*box), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(text(), u"secret");
  box->setPasswordChar(0);
  EXPECT_EQ(box->passwordChar(), 0);
}

TEST_F(TextBoxTest, SettingTextOrSelectionRaisesNoEvents) {
  int events = 0;
  box->onKeyDown = [&](int&, int) { ++events; };
  box->onKeyUp = [&](int&, int) { ++events; };
  box->onKeyPress = [&](int&) { ++events; };
  box->onMouseDown = [&](const MouseEvent&) { ++events; };
  box->setFocus();
  box->setText(u"typed by code");
  box->setSelStart(3);
  box->setSelLength(2);
  box->setPasswordChar(u'*');
  toolkit.doEvents();
  EXPECT_EQ(events, 0);
}

TEST_F(TextBoxTest, KeyDownCanCancelOrChangeTheKey) {
  box->setText(u"abc");
  box->setSelStart(0);
  std::vector<int> shifts;
  box->onKeyDown = [&](int& keyCode, int shift) {
    shifts.push_back(shift);
    if (keyCode == VK_END) keyCode = 0;
    if (keyCode == VK_RIGHT) keyCode = VK_END;
  };
  SendMessageW(hwndOf(*box), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(box->selStart(), 0);
  {
    HeldKeys ctrl({VK_CONTROL});
    SendMessageW(hwndOf(*box), WM_KEYDOWN, VK_RIGHT, 0);
  }
  EXPECT_EQ(box->selStart(), 3);
  EXPECT_EQ(shifts, (std::vector<int>{0, kCtrlMask}));
}

// Shift pressed and released with Alt held arrive as system keys; the program hears of them
// with the Alt bit, and cannot keep them from the window: Alt+F4 still closes the form.
TEST_F(TextBoxTest, SystemKeysRaiseTheKeyEventsAndAlwaysReachTheWindow) {
  std::vector<std::pair<int, int>> downs;
  std::vector<std::pair<int, int>> ups;
  box->onKeyDown = [&](int& keyCode, int shift) {
    downs.emplace_back(keyCode, shift);
    keyCode = 0;
  };
  box->onKeyUp = [&](int& keyCode, int shift) {
    ups.emplace_back(keyCode, shift);
    keyCode = 0;
  };
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  {
    HeldKeys altShift({VK_MENU, VK_SHIFT});
    SendMessageW(hwndOf(*box), WM_SYSKEYDOWN, VK_SHIFT, kAltDown);
  }
  {
    HeldKeys alt({VK_MENU});
    SendMessageW(hwndOf(*box), WM_SYSKEYUP, VK_SHIFT, kAltDown | (LPARAM{1} << 31) | (LPARAM{1} << 30));
  }
  EXPECT_EQ(downs, (std::vector<std::pair<int, int>>{{VK_SHIFT, kShiftMask | kAltMask}}));
  EXPECT_EQ(ups, (std::vector<std::pair<int, int>>{{VK_SHIFT, kAltMask}}));
  bool closed = false;
  form->onUnload = [&] { closed = true; };
  {
    HeldKeys alt({VK_MENU});
    SendMessageW(hwndOf(*box), WM_SYSKEYDOWN, VK_F4, kAltDown);
  }
  EXPECT_TRUE(pumpUntil([&] { return closed; })) << "Alt+F4 went on to the window";
}

TEST_F(TextBoxTest, KeyPressCanCancelOrChangeTheCharacter) {
  box->onKeyPress = [](int& keyAscii) {
    if (keyAscii == 'x') keyAscii = 0;
    if (keyAscii == 'y') keyAscii = 'z';
  };
  SendMessageW(hwndOf(*box), WM_CHAR, 'x', 0);
  EXPECT_EQ(text(), u"");
  SendMessageW(hwndOf(*box), WM_CHAR, 'y', 0);
  EXPECT_EQ(text(), u"z");
}

TEST_F(TextBoxTest, TypedCharactersArriveAsUtf16) {
  std::vector<int> codes;
  box->onKeyPress = [&](int& keyAscii) {
    codes.push_back(keyAscii);
    if (keyAscii == 0xE9) keyAscii = 0x20AC;
  };
  SendMessageW(hwndOf(*box), WM_CHAR, 0x20AC, 0);  // euro sign
  SendMessageW(hwndOf(*box), WM_CHAR, 0x00E9, 0);  // e acute
  SendMessageW(hwndOf(*box), WM_CHAR, 0x0416, 0);  // Cyrillic Zhe, not in the code page
  EXPECT_EQ(codes, (std::vector<int>{0x20AC, 0xE9, 0x0416}));
  EXPECT_EQ(text(), u"\u20AC\u20AC\u0416");
}

TEST_F(TextBoxTest, MouseEventsComeAfterTheCaretHasMoved) {
  box->setText(u"abcdef");
  box->setSelStart(0);
  int caretAtDown = -1;
  MouseEvent down;
  int doubleClicks = 0;
  box->onMouseDown = [&](const MouseEvent& event) {
    down = event;
    caretAtDown = box->selStart();
  };
  box->onDblClick = [&] { ++doubleClicks; };
  const HWND window = hwndOf(*box);
  // Right of the last character: the caret goes to the end.
  const LRESULT lastCharacter = SendMessageW(window, EM_POSFROMCHAR, 5, 0);
  const int x = LOWORD(lastCharacter) + 20;
  const LPARAM atEnd = MAKELPARAM(x, HIWORD(lastCharacter) + 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, atEnd);
  SendMessageW(window, WM_LBUTTONUP, 0, atEnd);
  EXPECT_EQ(caretAtDown, 6);
  EXPECT_EQ(down.button, kLeftButton);
  EXPECT_EQ(down.x, static_cast<float>(x * form->twipsPerPixel()));
  SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, atEnd);
  SendMessageW(window, WM_LBUTTONUP, 0, atEnd);
  EXPECT_EQ(doubleClicks, 1);
}

// Puts text on the clipboard, or reads what is there ("" when there is no text).
void setClipboard(const wchar_t* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (wcslen(text) + 1) * sizeof(wchar_t));
  wcscpy(static_cast<wchar_t*>(GlobalLock(block)), text);
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}
std::wstring clipboardText() {
  if (!OpenClipboard(nullptr)) return L"(cannot open)";
  std::wstring text;
  if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

TEST_F(TextBoxTest, NoKeyOrMessageCopiesOrCutsToTheClipboardButPasteWorks) {
  const HWND edit = hwndOf(*box);
  struct Attempt {
    const char* name;
    std::initializer_list<int> held;
    UINT msg;
    WPARAM key;
  };
  const Attempt attempts[] = {{"Ctrl+C", {VK_CONTROL}, WM_CHAR, 0x03},
                              {"Ctrl+X", {VK_CONTROL}, WM_CHAR, 0x18},
                              {"Ctrl+Insert", {VK_CONTROL}, WM_KEYDOWN, VK_INSERT},
                              {"Shift+Delete", {VK_SHIFT}, WM_KEYDOWN, VK_DELETE},
                              {"WM_COPY", {}, WM_COPY, 0},
                              {"WM_CUT", {}, WM_CUT, 0}};
  for (const auto& attempt : attempts) {
    SCOPED_TRACE(attempt.name);
    setClipboard(L"sentinel");
    box->setText(u"secret");
    box->setSelStart(0);
    box->setSelLength(6);
    {
      HeldKeys keys(attempt.held);
      SendMessageW(edit, attempt.msg, attempt.key, 0);
    }
    EXPECT_EQ(clipboardText(), L"sentinel");
    EXPECT_EQ(text(), u"secret") << "a refused cut removes nothing";
  }
  box->setSelStart(6);
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(text(), u"secretsentinel");
}

TEST_F(TextBoxTest, OptionsBecomeEditStyles) {
  TextBox& multiline = form->addTextBox({FontSpec{}, true, true});
  const LONG_PTR style = GetWindowLongPtrW(hwndOf(multiline), GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_FALSE(GetWindowLongPtrW(hwndOf(*box), GWL_STYLE) & (ES_MULTILINE | ES_READONLY));
}

}  // namespace
}  // namespace tessarin::platform::win32
