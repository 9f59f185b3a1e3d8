#include "platform/win32/control_font.h"

#include <cmath>
#include <cwchar>

#include "platform/win32/text.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

ControlFont::ControlFont(const FontSpec& font)
    : face_(font.face ? font.face : u""),
      points_(font.points),
      italic_(font.italic),
      bold_(font.bold),
      underline_(font.underline) {}

ControlFont::~ControlFont() {
  if (font_) DeleteObject(font_);
}

void ControlFont::applyTo(HWND hwnd, UINT dpi) {
  LOGFONTW logFont{};
  logFont.lfHeight = -std::lround(points_ * dpi / 72.0);
  logFont.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = italic_ ? TRUE : FALSE;
  logFont.lfUnderline = underline_ ? TRUE : FALSE;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = wideCopy(face_);
  wcsncpy(logFont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&logFont);
  if (!font) throwLastError("CreateFontIndirectW");
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), IsWindowVisible(hwnd));
  if (font_) DeleteObject(font_);
  font_ = font;
}

}  // namespace tessarin::platform::win32
