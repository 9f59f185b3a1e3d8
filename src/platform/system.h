#pragma once
// System services the program calls outside its own windows.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace tessarin::platform {

// The fields of an open or save dialog, in and out.
struct FileDialogRecord {
  bool save = false;
  WindowId owner = 0;
  std::u16string filter;  // description and pattern pairs separated by NUL, ending in two NULs
  int filterIndex = 1;
  std::u16string fileName;  // the initial name or pattern; after a choice, the chosen path
  int maxFileSize = 260;    // capacity of the name buffer, in characters
  std::u16string fileTitle;  // after a choice, the chosen name without its folder
  std::u16string initDir;
  std::u16string title;
  long flags = 0;
  std::u16string defaultExt;
  int fileExtOffset = 0;  // after a choice, where the extension starts in fileName
};

class System {
 public:
  virtual ~System() = default;

  // The directory the program's executable is in, without a trailing separator.
  virtual std::u16string programDirectory() const = 0;
  virtual bool fileExists(std::u16string_view path) const = 0;

  // Private-profile (INI) files with the semantics of the Windows profile functions: section
  // and key names match without regard to case, other sections and keys are kept, a missing
  // file reads as empty and is created by the first write. A value comes back cut to
  // bufferChars - 1 characters. A write gives nothing when it was written, otherwise the
  // system's text saying why the file could not be written (read-only, disk full, ...).
  virtual std::u16string readProfileString(std::u16string_view path, std::u16string_view section,
                                           std::u16string_view key, int bufferChars) const = 0;
  virtual std::optional<std::u16string> writeProfileString(std::u16string_view path, std::u16string_view section,
                                                           std::u16string_view key, std::u16string_view value) = 0;

  // Plays a wave file and returns when it has finished; false when it could not be played
  // (the system's default sound is played instead).
  virtual bool playSoundSync(std::u16string_view path) = 0;
  virtual void beep() = 0;
  // ShowCursor: adjusts the display counter.
  virtual void showCursor(bool show) = 0;

  // GetKeyState and GetAsyncKeyState: the 16-bit results as the OS gives them.
  virtual short keyState(int virtualKey) const = 0;
  virtual short asyncKeyState(int virtualKey) const = 0;
  // What the active keyboard layout types for a virtual key, without or with Shift, read from
  // the layout tables without touching the keyboard state: empty for a dead key (and no dead
  // key is left pending), several characters where the layout gives several.
  virtual std::u16string layoutCharacters(int virtualKey, bool shifted) const = 0;

  // A low-level keyboard hook for the whole desktop that swallows Print Screen (press and
  // release, with or without Alt) and passes every other key on unchanged. The hook procedure
  // makes one comparison and returns at once. Returns 0 when the hook could not be installed.
  virtual std::uintptr_t installPrintScreenHook() = 0;
  virtual void removePrintScreenHook(std::uintptr_t hook) = 0;

  virtual PixelPoint cursorPos() const = 0;
  virtual void setCursorPos(PixelPoint point) = 0;
  virtual WindowId foregroundWindow() const = 0;

  // Delivery into another program's window.
  // The deepest window (child windows included) at a screen point; 0 for none.
  virtual WindowId windowFromPoint(PixelPoint point) const = 0;
  // Brings the window's top-level window to the foreground and shows it; results are ignored.
  virtual void bringToFront(WindowId window) = 0;
  // One synthetic left click (press, then release) at the pointer.
  virtual void clickLeft() = 0;
  // Hands batches of UTF-16 code units to the window as WM_CHAR, in order, each batch all at
  // once, and returns once its program has handled what went: how many units the window itself
  // took, and why it took no more. Each batch after the first goes only if keepGoing() still
  // says so when it is its turn, which is while the window may still be handling the batch
  // before it (so that the window never waits for the next one). Refused: the system does not
  // let this program reach the window (it belongs to a program running at a higher integrity
  // level). Lost: the window is gone, or its program made no progress for a second. Stopped:
  // keepGoing() said no.
  enum class SendResult { Taken, Refused, Lost, Stopped };
  struct TypeResult {
    std::size_t taken = 0;
    SendResult result = SendResult::Taken;
  };
  virtual TypeResult typeChars(WindowId window, std::span<const std::u16string_view> batches,
                               const std::function<bool()>& keepGoing) = 0;
  // Whose a window is, before anything is delivered to it.
  enum class WindowOwner { None, ThisProgram, OtherDesktop, OtherProgram };
  virtual WindowOwner windowOwner(WindowId window) const = 0;
  // Waits until the window's thread has taken the click just given: its keyboard focus is on the
  // window or within the window's top-level window, no window of it holds the mouse, and it
  // has handled all the input queued before the wait began. Gives the thread at most
  // timeoutMs; false when it had not taken it by then.
  virtual bool waitForClickTaken(WindowId window, long timeoutMs) = 0;
  // The program (process) a window belongs to; 0 for no window.
  virtual std::uint32_t programOf(WindowId window) const = 0;
  // The program's file name and the title of the window's top-level window, as the user knows
  // them; empty when the window is gone.
  struct WindowName {
    std::u16string program;
    std::u16string title;
  };
  virtual WindowName windowName(WindowId window) const = 0;

  // The common open or save dialog; true when the user chose a file (the record then holds the
  // choice), false when the dialog was cancelled or failed (the record is unchanged).
  virtual bool showFileDialog(FileDialogRecord& record) = 0;
  // The folder browser: the chosen folder, or nothing when cancelled.
  virtual std::optional<std::u16string> browseForFolder(std::u16string_view title) = 0;
  // The file attributes of a path (0x10 marks a directory), or -1 when they cannot be read.
  virtual long fileAttributes(std::u16string_view path) const = 0;
  // The first bytes of a file, at most maxBytes of them; nothing when it cannot be read.
  virtual std::optional<std::string> readFileStart(std::u16string_view path, std::size_t maxBytes) const = 0;

  // Empties the clipboard; the program never writes to it.
  virtual void emptyClipboard() = 0;
  // Opens a document or address with the shell (ShellExecute "open"); failures are ignored.
  virtual void shellOpen(WindowId owner, std::u16string_view address) = 0;
  // Uniform on [0, 1), from a cryptographic source where the platform has one.
  virtual double randomUnit() = 0;
};

}  // namespace tessarin::platform
