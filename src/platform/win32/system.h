#pragma once
// System services on Win32. The methods are spread by concern: system.cpp (files, profiles,
// sound, clipboard, shell, random numbers), system_input.cpp (keyboard, pointer, the Print
// Screen hook and synthetic input), system_target.cpp (the window a password is typed into)
// and system_dialogs.cpp (file and folder dialogs).
#include "platform/system.h"

namespace tessarin::platform::win32 {

class Win32System final : public System {
 public:
  std::u16string programDirectory() const override;
  bool fileExists(std::u16string_view path) const override;
  long fileAttributes(std::u16string_view path) const override;
  std::optional<std::string> readFileStart(std::u16string_view path, std::size_t maxBytes) const override;
  std::u16string readProfileString(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                                   int bufferChars) const override;
  std::optional<std::u16string> writeProfileString(std::u16string_view path, std::u16string_view section,
                                                   std::u16string_view key, std::u16string_view value) override;
  bool playSoundSync(std::u16string_view path) override;
  void beep() override;
  void showCursor(bool show) override;

  short keyState(int virtualKey) const override;
  short asyncKeyState(int virtualKey) const override;
  std::u16string layoutCharacters(int virtualKey, bool shifted) const override;
  std::uintptr_t installPrintScreenHook() override;
  void removePrintScreenHook(std::uintptr_t hook) override;

  PixelPoint cursorPos() const override;
  void setCursorPos(PixelPoint point) override;
  WindowId foregroundWindow() const override;
  WindowId windowFromPoint(PixelPoint point) const override;
  void bringToFront(WindowId window) override;
  void clickLeft() override;
  TypeResult typeChars(WindowId window, std::span<const std::u16string_view> batches,
                       const std::function<bool()>& keepGoing) override;
  WindowOwner windowOwner(WindowId window) const override;
  bool waitForClickTaken(WindowId window, long timeoutMs) override;
  std::uint32_t programOf(WindowId window) const override;
  WindowName windowName(WindowId window) const override;

  bool showFileDialog(FileDialogRecord& record) override;
  std::optional<std::u16string> browseForFolder(std::u16string_view title) override;

  void emptyClipboard() override;
  void shellOpen(WindowId owner, std::u16string_view address) override;
  double randomUnit() override;
};

}  // namespace tessarin::platform::win32
