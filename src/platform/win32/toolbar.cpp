#include "platform/win32/toolbar.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/callback.h"
#include "platform/win32/form.h"
#include "platform/win32/text.h"
#include "platform/win32/toolbar_glyphs.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

Win32Toolbar::Win32Toolbar(Win32Form& form)
    : NativeControl(form, {TOOLBARCLASSNAMEW, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP}, Making::Now),
      images_(createImages(dpi())) {}

void Win32Toolbar::windowMade() {
  SendMessageW(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(hwnd(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SendMessageW(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
}

HIMAGELIST Win32Toolbar::createImages(UINT dpi) {
  const int pixels = glyphPixels(dpi);
  HIMAGELIST images = ImageList_Create(pixels, pixels, ILC_COLOR32 | ILC_MASK, 16, 4);
  if (!images) throwLastError("ImageList_Create");
  return images;
}

// The pictures are drawn again at the new DPI, in the order the buttons refer to them.
void Win32Toolbar::dpiChanged() {
  drawGlyphs();
  formResized();
}

// Drawn when the bar is first painted, all at once, rather than one by one as buttons are added.
void Win32Toolbar::drawGlyphs() {
  HIMAGELIST images = createImages(dpi());
  std::vector<std::u16string_view> keys;
  for (const Entry& entry : entries_) {
    if (!entry.key.empty()) keys.push_back(entry.key);
  }
  try {
    addToolbarGlyphs(images, keys, dpi());
  } catch (...) {
    ImageList_Destroy(images);
    throw;
  }
  SendMessageW(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  ImageList_Destroy(images_);
  images_ = images;
  glyphsDrawn_ = true;
}

// The toolbar does not destroy an image list it was given.
Win32Toolbar::~Win32Toolbar() { ImageList_Destroy(images_); }

void Win32Toolbar::addButton(std::u16string_view key, std::u16string_view toolTip, bool visible) {
  const auto glyph = std::count_if(entries_.begin(), entries_.end(), [](const Entry& entry) { return !entry.key.empty(); });
  add(static_cast<int>(glyph), BTNS_BUTTON, visible, Entry{std::u16string(key), std::u16string(toolTip), {}});
  if (glyphsDrawn_) drawGlyphs();
}

void Win32Toolbar::addSeparator(bool visible) { add(0, BTNS_SEP, visible, Entry{}); }

void Win32Toolbar::add(int image, BYTE style, bool visible, Entry entry) {
  entries_.push_back(std::move(entry));
  TBBUTTON button{};
  button.iBitmap = image;
  button.idCommand = static_cast<int>(entries_.size());
  button.fsState = static_cast<BYTE>(TBSTATE_ENABLED | (visible ? 0 : TBSTATE_HIDDEN));
  button.fsStyle = style;
  button.iString = -1;
  unsent_.push_back(button);
  // Fitting the bar moves its window: once for all the buttons, when its size is next needed.
  sizeStale_ = true;
}

// Each TB_ADDBUTTONS repaints the bar, a trip to the window server even before it is on screen,
// so the buttons go over in one message when the bar is next used: every use is a message to it.
void Win32Toolbar::sendButtons() {
  if (unsent_.empty()) return;
  // Taken first: the bar's procedure sees this message too.
  const std::vector<TBBUTTON> buttons = std::move(unsent_);
  unsent_.clear();
  if (!SendMessageW(hwnd(), TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()))) {
    entries_.resize(entries_.size() - buttons.size());
    throwLastError("TB_ADDBUTTONS");
  }
}

// Entries are told apart by their text, which is what the program hears back.
void Win32Toolbar::addButtonMenuEntry(std::u16string_view buttonKey, std::u16string_view text,
                                      std::u16string_view /*entryKey*/) {
  const int commandId = commandIdOf(buttonKey);
  auto& menu = entries_[static_cast<std::size_t>(commandId - 1)].menu;
  menu.emplace_back(text);
  if (menu.size() > 1) return;
  sizeStale_ = true;
  if (TBBUTTON* unsent = unsentButton(commandId)) {
    unsent->fsStyle |= BTNS_DROPDOWN;
    return;
  }
  TBBUTTONINFOW info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE;
  info.fsStyle = BTNS_BUTTON | BTNS_DROPDOWN;
  SendMessageW(hwnd(), TB_SETBUTTONINFOW, static_cast<WPARAM>(commandId), reinterpret_cast<LPARAM>(&info));
}

// A button not yet handed to the bar takes its state with it; pressing one that is there costs
// a repaint of the bar.
void Win32Toolbar::setButtonPressed(std::u16string_view key, bool pressed) {
  const int commandId = commandIdOf(key);
  if (TBBUTTON* unsent = unsentButton(commandId)) {
    unsent->fsState = static_cast<BYTE>(pressed ? unsent->fsState | TBSTATE_PRESSED : unsent->fsState & ~TBSTATE_PRESSED);
    return;
  }
  SendMessageW(hwnd(), TB_PRESSBUTTON, static_cast<WPARAM>(commandId), MAKELPARAM(pressed ? TRUE : FALSE, 0));
}

bool Win32Toolbar::buttonPressed(std::u16string_view key) const {
  const int commandId = commandIdOf(key);
  if (const TBBUTTON* unsent = unsentButton(commandId)) return (unsent->fsState & TBSTATE_PRESSED) != 0;
  return SendMessageW(hwnd(), TB_ISBUTTONPRESSED, static_cast<WPARAM>(commandId), 0) != 0;
}

const TBBUTTON* Win32Toolbar::unsentButton(int commandId) const {
  for (const TBBUTTON& button : unsent_)
    if (button.idCommand == commandId) return &button;
  return nullptr;
}

void Win32Toolbar::refresh() {
  InvalidateRect(hwnd(), nullptr, TRUE);
  UpdateWindow(hwnd());
}

const Win32Toolbar::Entry* Win32Toolbar::entryAt(int commandId) const {
  if (commandId < 1 || static_cast<std::size_t>(commandId) > entries_.size()) return nullptr;
  return &entries_[static_cast<std::size_t>(commandId - 1)];
}

int Win32Toolbar::commandIdOf(std::u16string_view key) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [key](const Entry& entry) {
    return !entry.key.empty() && entry.key == key;
  });
  if (found == entries_.end()) throw std::invalid_argument("no toolbar button has this key");
  return static_cast<int>(found - entries_.begin()) + 1;
}

void Win32Toolbar::command(WORD /*code*/, WORD id) {
  if (const Entry* entry = entryAt(id)) {
    const std::u16string key = entry->key;  // the handler may add buttons
    fire(onButtonClick, std::u16string_view(key));
  }
}

LRESULT Win32Toolbar::notify(NMHDR& header) {
  if (header.code == TBN_DROPDOWN) {
    showMenu(reinterpret_cast<NMTOOLBARW&>(header).iItem);
    return TBDDRET_DEFAULT;
  }
  if (header.code == TBN_GETINFOTIPW) {
    auto& tip = reinterpret_cast<NMTBGETINFOTIPW&>(header);
    if (const Entry* entry = entryAt(tip.iItem); entry && tip.pszText && tip.cchTextMax > 0) {
      lstrcpynW(tip.pszText, wideCopy(entry->toolTip).c_str(), tip.cchTextMax);
    }
  }
  return 0;
}

void Win32Toolbar::showMenu(int commandId) {
  const Entry* entry = entryAt(commandId);
  if (!entry || entry->menu.empty()) return;
  const std::vector<std::u16string> texts = entry->menu;
  HMENU menu = CreatePopupMenu();
  if (!menu) throwLastError("CreatePopupMenu");
  for (std::size_t i = 0; i < texts.size(); ++i) {
    AppendMenuW(menu, MF_STRING, i + 1, wideCopy(texts[i]).c_str());
  }
  RECT button{};
  SendMessageW(hwnd(), TB_GETRECT, static_cast<WPARAM>(commandId), reinterpret_cast<LPARAM>(&button));
  MapWindowPoints(hwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&button), 2);
  // The menu opens below the button and never covers it.
  TPMPARAMS keepClear{sizeof keepClear, button};
  const auto chosen = static_cast<std::size_t>(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL,
                                                                button.left, button.bottom, form_.hwnd(), &keepClear));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= texts.size()) fire(onButtonMenuClick, std::u16string_view(texts[chosen - 1]));
}

void Win32Toolbar::formResized() {
  sizeStale_ = true;
  fitIfStale();
}

void Win32Toolbar::fitIfStale() const {
  if (!sizeStale_) return;
  sizeStale_ = false;
  SendMessageW(hwnd(), TB_AUTOSIZE, 0, 0);
}

Twips Win32Toolbar::bounds() const {
  fitIfStale();
  return placement();
}

LRESULT Win32Toolbar::message(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Whatever reaches the bar, from us or from outside, finds every button added so far.
  sendButtons();
  if (msg == WM_PAINT || msg == WM_PRINTCLIENT) {
    fitIfStale();
    if (!glyphsDrawn_) drawGlyphs();
  }
  return passOnReportingMoves(msg, wParam, lParam, onMouseMove);
}

}  // namespace tessarin::platform::win32
