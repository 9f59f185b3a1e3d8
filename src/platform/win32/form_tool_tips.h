#pragma once
// The tool-tip window of a form's controls, one for all of them: a top-level window costs many
// requests to the window server. A form that is set up hidden opens it only once it has first
// shown, since no tip can appear before then and the window shows that much sooner.
#include <windows.h>

#include <string>
#include <vector>

namespace tessarin::platform::win32 {

class FormToolTips {
 public:
  explicit FormToolTips(bool openNow) : open_(openNow) {}
  FormToolTips(const FormToolTips&) = delete;
  FormToolTips& operator=(const FormToolTips&) = delete;

  // A tool is a child window of `form`; its tip shows while the mouse rests on it.
  void setText(HWND form, HWND tool, std::wstring text);
  // Makes the window, with every tool given so far, once the form has first shown.
  void open(HWND form);

 private:
  struct Tool {
    HWND window;
    std::wstring text;
  };
  void send(HWND form, UINT message, Tool& tool);

  bool open_;
  HWND window_ = nullptr;
  std::vector<Tool> tools_;
};

}  // namespace tessarin::platform::win32
