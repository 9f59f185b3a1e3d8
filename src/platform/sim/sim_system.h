#pragma once
// Simulated system services. Profile files and file tests use real files (in a directory the
// test chooses); everything else is recorded so tests can see what the program asked for.
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"

namespace tessarin::sim {

class SimSystem : public platform::System {
 public:
  explicit SimSystem(std::u16string programDirectory) : programDirectory_(std::move(programDirectory)) {}

  std::u16string programDirectory() const override { return programDirectory_; }
  bool fileExists(std::u16string_view path) const override;
  std::u16string readProfileString(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                                   int bufferChars) const override;
  std::optional<std::u16string> writeProfileString(std::u16string_view path, std::u16string_view section,
                                                   std::u16string_view key, std::u16string_view value) override;
  bool playSoundSync(std::u16string_view path) override;
  void beep() override { calls.push_back("beep"); }
  void showCursor(bool show) override { calls.push_back(show ? "showCursor(TRUE)" : "showCursor(FALSE)"); }
  short keyState(int virtualKey) const override;
  short asyncKeyState(int virtualKey) const override;
  std::u16string layoutCharacters(int virtualKey, bool shifted) const override;
  std::uintptr_t installPrintScreenHook() override;
  void removePrintScreenHook(std::uintptr_t hook) override;
  platform::PixelPoint cursorPos() const override { return cursor; }
  void setCursorPos(platform::PixelPoint point) override;
  platform::WindowId windowFromPoint(platform::PixelPoint point) const override;
  void bringToFront(platform::WindowId window) override;
  void clickLeft() override;
  TypeResult typeChars(platform::WindowId window, std::span<const std::u16string_view> batches,
                       const std::function<bool()>& keepGoing) override;
  WindowOwner windowOwner(platform::WindowId window) const override;
  bool waitForClickTaken(platform::WindowId window, long timeoutMs) override;
  std::uint32_t programOf(platform::WindowId window) const override;
  WindowName windowName(platform::WindowId window) const override;
  bool showFileDialog(platform::FileDialogRecord& record) override;
  std::optional<std::u16string> browseForFolder(std::u16string_view title) override;
  long fileAttributes(std::u16string_view path) const override;
  std::optional<std::string> readFileStart(std::u16string_view path, std::size_t maxBytes) const override;
  void emptyClipboard() override;
  void shellOpen(platform::WindowId owner, std::u16string_view address) override;
  platform::WindowId foregroundWindow() const override { return foreground_; }
  double randomUnit() override;

  // A program path ("dir\file") as a path of the machine the tests run on.
  static std::string NativePath(std::u16string_view path);

  std::vector<std::string> calls;
  // A system failure to stage: the next call recorded under this name throws, as the Windows
  // backend does when the system refuses it.
  std::string failingCall;
  // The physical keyboard: keys held down, and whether Caps Lock is toggled on.
  std::set<int> keysDown;
  bool capsLockToggled = false;
  // The active keyboard layout: virtual key to the characters without and with Shift.
  std::map<int, std::array<std::u16string, 2>> layout;
  bool hookInstallFails = false;
  // Other programs' windows: where they are on the screen and what they were sent. A window
  // can refuse characters, close or lose the foreground after taking some, and take its time
  // over a click. Windows of this program are told apart by their program number.
  static constexpr std::uint32_t kThisProgram = 1;
  struct ForeignWindow {
    platform::WindowId id;
    platform::PixelRect rect;
    std::u16string received;
    bool refusesChars = false;
    std::size_t closesAfterChars = std::u16string::npos;
    std::size_t foregroundMovesAfterChars = std::u16string::npos;
    // The size of every batch of characters handed to the window.
    std::vector<std::size_t> batchSizes = {};
    long clickTakesMs = 0;
    std::uint32_t program = 2;
    bool otherDesktop = false;
    std::u16string programFile = u"target.exe";
    std::u16string title = u"Target";
  };
  std::vector<ForeignWindow> foreignWindows;
  ForeignWindow* foreignWindow(platform::WindowId id);
  const ForeignWindow* foreignWindow(platform::WindowId id) const;
  std::u16string clipboard;
  // Scripted answers of the file dialogs and the folder browser: the chosen path, or nothing to
  // cancel. A dialog that appears when none is left fails the test.
  std::deque<std::optional<std::u16string>> dialogAnswers;
  std::vector<platform::FileDialogRecord> shownDialogs;
  std::uintptr_t installedHook = 0;
  std::deque<double> randomDraws;  // scripted draws; 0.5 when none are left
  platform::PixelPoint cursor;
  // Another window comes to the front (or one of the program's), and the program is told, as
  // the system sends it WM_ACTIVATEAPP and WM_ACTIVATE.
  void moveForeground(platform::WindowId window);
  std::function<void()> onForegroundMoved;
  // How long the last wait for a click was allowed to take.
  long lastClickTimeoutMs = 0;
  int profileWrites = 0;

 private:
  void record(std::string call);
  std::u16string programDirectory_;
  platform::WindowId foreground_ = 0;
};

}  // namespace tessarin::sim
