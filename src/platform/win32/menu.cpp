#include "platform/win32/menu.h"

#include <algorithm>

#include "platform/win32/callback.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {
namespace {

constexpr std::u16string_view kSeparator = u"-";
constexpr UINT kFirstCommandId = 1;

std::wstring keyName(int virtualKey) {
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
    return std::wstring(1, static_cast<wchar_t>(virtualKey));
  }
  if (virtualKey >= VK_F1 && virtualKey <= VK_F24) return L"F" + std::to_wstring(virtualKey - VK_F1 + 1);
  wchar_t name[64] = L"";
  const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
  GetKeyNameTextW(static_cast<LONG>(scanCode << 16), name, 64);
  return name;
}

// The caption, then the shortcut after a tab, which menus show right-aligned.
std::wstring menuText(std::u16string_view caption, Shortcut shortcut) {
  std::wstring text = wideCopy(caption);
  if (shortcut.virtualKey) text += L"\t" + std::wstring(shortcut.ctrl ? L"Ctrl+" : L"") + keyName(shortcut.virtualKey);
  return text;
}

}  // namespace

Win32MenuItem::Win32MenuItem(MenuTree& tree, Win32MenuItem* parent, UINT commandId,
                             std::u16string_view caption, Shortcut shortcut)
    : tree_(tree), parent_(parent), commandId_(commandId), caption_(caption), shortcut_(shortcut) {}

void Win32MenuItem::setCaption(std::u16string_view caption) {
  caption_ = caption;
  update();
}

void Win32MenuItem::setChecked(bool checked) {
  checked_ = checked;
  update();
}

void Win32MenuItem::setEnabled(bool enabled) {
  enabled_ = enabled;
  update();
}

void Win32MenuItem::setVisible(bool visible) {
  if (visible == visible_) return;
  if (visible) {
    visible_ = true;
    tree_.insertNative(*this);
  } else {
    tree_.removeNative(*this);
    visible_ = false;
  }
  tree_.changed(*this);
}

MENUITEMINFOW Win32MenuItem::nativeInfo(std::wstring& text) const {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  info.fState = (checked_ ? MFS_CHECKED : MFS_UNCHECKED) | (enabled_ ? MFS_ENABLED : MFS_DISABLED);
  info.wID = commandId_;
  info.hSubMenu = submenu_;
  if (caption_ == kSeparator) {
    info.fType = MFT_SEPARATOR;
  } else {
    text = menuText(caption_, shortcut_);
    info.fType = MFT_STRING;
    info.fMask |= MIIM_STRING;
    info.dwTypeData = text.data();
  }
  return info;
}

void Win32MenuItem::update() {
  if (!visible_) return;
  std::wstring text;
  const MENUITEMINFOW info = nativeInfo(text);
  SetMenuItemInfoW(tree_.menuOf(parent_), tree_.positionOf(*this), TRUE, &info);
  tree_.changed(*this);
}

MenuTree::MenuTree(const HWND& window) : window_(window), bar_(CreateMenu()) {
  if (!bar_) throwLastError("CreateMenu");
}

MenuTree::~MenuTree() {
  // Take every menu apart first, so that destroying one never destroys another twice.
  std::vector<HMENU> menus{bar_};
  for (const auto& item : items_) {
    if (item->submenu_) menus.push_back(item->submenu_);
  }
  for (HMENU menu : menus) {
    while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  }
  for (HMENU menu : menus) DestroyMenu(menu);
}

MenuItem& MenuTree::add(Win32MenuItem* parent, std::u16string_view caption, Shortcut shortcut) {
  const auto commandId = static_cast<UINT>(kFirstCommandId + items_.size());
  auto& item = *items_.emplace_back(std::make_unique<Win32MenuItem>(*this, parent, commandId, caption, shortcut));
  if (parent) {
    if (!parent->submenu_) {
      parent->submenu_ = CreatePopupMenu();
      if (!parent->submenu_) throwLastError("CreatePopupMenu");
      parent->update();
    }
    parent->children_.push_back(&item);
  } else {
    topLevel_.push_back(&item);
  }
  insertNative(item);
  changed(item);
  return item;
}

void MenuTree::click(UINT commandId) {
  if (commandId < kFirstCommandId || commandId - kFirstCommandId >= items_.size()) return;
  const Win32MenuItem& item = *items_[commandId - kFirstCommandId];
  if (item.enabled_) fire(item.onClick);
}

bool MenuTree::runShortcut(int virtualKey, bool ctrl) {
  for (const auto& item : items_) {
    const Shortcut& shortcut = item->shortcut_;
    if (shortcut.virtualKey == virtualKey && shortcut.ctrl == ctrl && item->enabled_ && item->visible_) {
      fire(item->onClick);
      return true;
    }
  }
  return false;
}

void MenuTree::detach() {
  if (window_) SetMenu(window_, nullptr);
}

const std::vector<Win32MenuItem*>& MenuTree::siblingsOf(const Win32MenuItem& item) const {
  return item.parent_ ? item.parent_->children_ : topLevel_;
}

UINT MenuTree::positionOf(const Win32MenuItem& item) const {
  const auto& siblings = siblingsOf(item);
  const auto end = std::find(siblings.begin(), siblings.end(), &item);
  return static_cast<UINT>(std::count_if(siblings.begin(), end, [](const Win32MenuItem* other) { return other->visible_; }));
}

void MenuTree::insertNative(Win32MenuItem& item) {
  std::wstring text;
  const MENUITEMINFOW info = item.nativeInfo(text);
  if (!InsertMenuItemW(menuOf(item.parent_), positionOf(item), TRUE, &info)) throwLastError("InsertMenuItemW");
}

void MenuTree::removeNative(Win32MenuItem& item) {
  RemoveMenu(menuOf(item.parent_), positionOf(item), MF_BYPOSITION);
}

// Only the bar needs redrawing; popups are drawn afresh each time they open.
void MenuTree::changed(const Win32MenuItem& item) {
  if (!item.parent_) fitBar();
}

void MenuTree::fitBar() {
  if (!window_) return;
  const bool anyVisible = std::any_of(topLevel_.begin(), topLevel_.end(), [](const Win32MenuItem* item) { return item->visible_; });
  HMENU wanted = anyVisible ? bar_ : nullptr;
  if (GetMenu(window_) != wanted) SetMenu(window_, wanted);
  // A hidden window draws its bar when shown; redrawing it before costs a frame recalculation.
  if (IsWindowVisible(window_)) DrawMenuBar(window_);
}

}  // namespace tessarin::platform::win32
