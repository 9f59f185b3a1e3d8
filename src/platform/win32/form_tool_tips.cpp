#include "platform/win32/form_tool_tips.h"

#include <commctrl.h>

#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

void FormToolTips::setText(HWND form, HWND tool, std::wstring text) {
  for (Tool& known : tools_) {
    if (known.window != tool) continue;
    known.text = std::move(text);
    if (window_) send(form, TTM_UPDATETIPTEXTW, known);
    return;
  }
  tools_.push_back({tool, std::move(text)});
  if (open_) open(form);
  if (window_) send(form, TTM_ADDTOOLW, tools_.back());
}

void FormToolTips::open(HWND form) {
  open_ = true;
  if (window_ || tools_.empty()) return;
  // Owned by the form, so it goes when the form's window does.
  window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (!window_) throwLastError("CreateWindowExW (tool tip)");
  for (Tool& tool : tools_) send(form, TTM_ADDTOOLW, tool);
}

void FormToolTips::send(HWND form, UINT message, Tool& tool) {
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = form;
  info.uId = reinterpret_cast<UINT_PTR>(tool.window);
  info.lpszText = tool.text.data();
  SendMessageW(window_, message, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace tessarin::platform::win32
