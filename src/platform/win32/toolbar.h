#pragma once
// The toolbar: keyed image buttons with tool tips, docked at the top of the form at its own
// height (setBounds leaves it there). A button with menu entries gets a drop-down arrow whose
// menu reports the chosen entry's text.
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/child_window.h"

namespace tessarin::platform::win32 {

class Win32Toolbar final : public NativeControl<Toolbar> {
 public:
  explicit Win32Toolbar(Win32Form& form);
  ~Win32Toolbar() override;

  void setBounds(Twips) override {}
  // Its height once it has fitted itself to the buttons added so far.
  Twips bounds() const override;
  void addButton(std::u16string_view key, std::u16string_view toolTip, bool visible) override;
  void addSeparator(bool visible) override;
  void addButtonMenuEntry(std::u16string_view buttonKey, std::u16string_view text,
                          std::u16string_view entryKey) override;
  void setButtonPressed(std::u16string_view key, bool pressed) override;
  bool buttonPressed(std::u16string_view key) const override;
  void refresh() override;

  void command(WORD code, WORD id) override;
  LRESULT notify(NMHDR& header) override;
  void formResized() override;
  void dpiChanged() override;

 protected:
  LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void windowMade() override;

 private:
  struct Entry {
    std::u16string key;
    std::u16string toolTip;
    std::vector<std::u16string> menu;
  };

  static HIMAGELIST createImages(UINT dpi);
  void drawGlyphs();
  void add(int image, BYTE style, bool visible, Entry entry);
  // Command ids are 1 + the entry's index.
  const Entry* entryAt(int commandId) const;
  int commandIdOf(std::u16string_view key) const;
  // The button with that command among those not yet handed to the bar, or null.
  const TBBUTTON* unsentButton(int commandId) const;
  TBBUTTON* unsentButton(int commandId) {
    return const_cast<TBBUTTON*>(std::as_const(*this).unsentButton(commandId));
  }
  void showMenu(int commandId);
  void sendButtons();
  void fitIfStale() const;

  HIMAGELIST images_;
  std::vector<Entry> entries_;
  // Added buttons the bar has not been sent yet.
  std::vector<TBBUTTON> unsent_;
  bool glyphsDrawn_ = false;
  // Buttons were added since the bar last fitted itself to them.
  mutable bool sizeStale_ = false;
};

}  // namespace tessarin::platform::win32
