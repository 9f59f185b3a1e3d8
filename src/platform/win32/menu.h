#pragma once
// A form's menu tree. The native menus hold the visible items only: an item made invisible is
// removed from its parent menu and put back at its own place when it is shown again.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace tessarin::platform::win32 {

class MenuTree;

class Win32MenuItem final : public MenuItem {
 public:
  Win32MenuItem(MenuTree& tree, Win32MenuItem* parent, UINT commandId, std::u16string_view caption,
                Shortcut shortcut);

  void setCaption(std::u16string_view caption) override;
  std::u16string caption() const override { return caption_; }
  void setChecked(bool checked) override;
  bool checked() const override { return checked_; }
  void setEnabled(bool enabled) override;
  bool enabled() const override { return enabled_; }
  void setVisible(bool visible) override;
  bool visible() const override { return visible_; }
  Shortcut shortcut() const override { return shortcut_; }

 private:
  friend class MenuTree;
  MENUITEMINFOW nativeInfo(std::wstring& text) const;
  void update();

  MenuTree& tree_;
  Win32MenuItem* parent_;
  UINT commandId_;
  std::u16string caption_;
  Shortcut shortcut_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  HMENU submenu_ = nullptr;
  std::vector<Win32MenuItem*> children_;
};

class MenuTree {
 public:
  // window: the owning form's handle, null while it has no window.
  explicit MenuTree(const HWND& window);
  ~MenuTree();
  MenuTree(const MenuTree&) = delete;
  MenuTree& operator=(const MenuTree&) = delete;

  MenuItem& add(Win32MenuItem* parent, std::u16string_view caption, Shortcut shortcut);
  // WM_COMMAND from a menu.
  void click(UINT commandId);
  bool runShortcut(int virtualKey, bool ctrl);
  // The window is being destroyed: the menus stay with this tree.
  void detach();
  // The menu bar, for a window made with it.
  HMENU bar() const { return bar_; }
  // Gives the window the bar while a menu of it is visible, and none otherwise.
  void fitBar();

 private:
  friend class Win32MenuItem;
  HMENU menuOf(const Win32MenuItem* parent) const { return parent ? parent->submenu_ : bar_; }
  const std::vector<Win32MenuItem*>& siblingsOf(const Win32MenuItem& item) const;
  UINT positionOf(const Win32MenuItem& item) const;
  void insertNative(Win32MenuItem& item);
  void removeNative(Win32MenuItem& item);
  void changed(const Win32MenuItem& item);

  const HWND& window_;
  HMENU bar_;
  std::vector<Win32MenuItem*> topLevel_;
  std::vector<std::unique_ptr<Win32MenuItem>> items_;
};

}  // namespace tessarin::platform::win32
