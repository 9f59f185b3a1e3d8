#pragma once
// The one application object: owns the toolbar flag object and the keyboard engine.
#include <memory>
#include <string>

#include "app/runtime_error.h"
#include "platform/platform.h"

namespace tessarin {

class Keyboard;

class Toolbar {
 public:
  bool Visible() const { return visible_; }
  void Visible(bool value) { visible_ = value; }

 private:
  bool visible_ = false;
};

class Application {
 public:
  explicit Application(platform::Platform& platform);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The running application, or null before it exists and after it is gone.
  static Application* current() noexcept { return current_; }

  // Unloads every loaded window except the first one loaded.
  void CloseProgram();
  tessarin::Toolbar& Toolbar() { return *toolbar_; }
  tessarin::Keyboard& Keyboard() { return *keyboard_; }
  bool StayOnTop() const { return stayOnTop_; }
  void StayOnTop(bool value) { stayOnTop_ = value; }
  bool KeepPasswordAfterDragDrop() const { return keepPasswordAfterDragDrop_; }
  void KeepPasswordAfterDragDrop(bool value) { keepPasswordAfterDragDrop_ = value; }
  bool MouseHidden() const { return mouseHidden_; }
  void MouseHidden(bool value) { mouseHidden_ = value; }
  // Shows the modal error report owned by frm; returns when the user closes it.
  void LogError(const std::u16string& strErrorProc, long lngErrorNumber, const std::u16string& strError,
                platform::Form& frm);

  platform::Platform& platform() { return platform_; }

 private:
  static inline Application* current_ = nullptr;
  platform::Platform& platform_;
  std::unique_ptr<tessarin::Toolbar> toolbar_;
  std::unique_ptr<tessarin::Keyboard> keyboard_;
  bool stayOnTop_ = false;
  bool keepPasswordAfterDragDrop_ = false;
  bool mouseHidden_ = false;
};

}  // namespace tessarin
