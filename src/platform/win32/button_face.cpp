#include "platform/win32/button_face.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace tessarin::platform::win32 {

namespace {

// "&&" shows as "&", as on a system-drawn button; no mnemonic is underlined.
constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX;

void drawCaption(HDC dc, RECT rect, std::u16string_view caption, COLORREF color) {
  SetTextColor(dc, color);
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(caption.data()), static_cast<int>(caption.size()), &rect,
            kCaptionFormat);
}

void drawThemed(HTHEME theme, const DRAWITEMSTRUCT& item, HBRUSH background, std::u16string_view caption) {
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  const int state = disabled ? PBS_DISABLED : pressed ? PBS_PRESSED : PBS_NORMAL;
  RECT rect = item.rcItem;
  // The themed face has rounded corners: the form's colour shows there, as beside a system button.
  FillRect(item.hDC, &rect, background);
  DrawThemeBackground(theme, item.hDC, BP_PUSHBUTTON, state, &rect, nullptr);
  RECT content = rect;
  GetThemeBackgroundContentRect(theme, item.hDC, BP_PUSHBUTTON, state, &rect, &content);
  COLORREF color = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  GetThemeColor(theme, BP_PUSHBUTTON, state, TMT_TEXTCOLOR, &color);
  drawCaption(item.hDC, content, caption, color);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &content);
}

void drawClassic(const DRAWITEMSTRUCT& item, std::u16string_view caption) {
  const bool pressed = item.itemState & ODS_SELECTED;
  RECT rect = item.rcItem;
  DrawFrameControl(item.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  RECT text = rect;
  // A pressed classic button moves its caption down and right by a pixel.
  if (pressed) OffsetRect(&text, 1, 1);
  if (item.itemState & ODS_DISABLED) {
    RECT etch = text;
    OffsetRect(&etch, 1, 1);
    drawCaption(item.hDC, etch, caption, GetSysColor(COLOR_BTNHIGHLIGHT));
    drawCaption(item.hDC, text, caption, GetSysColor(COLOR_GRAYTEXT));
  } else {
    drawCaption(item.hDC, text, caption, GetSysColor(COLOR_BTNTEXT));
  }
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rect, -3, -3);
    DrawFocusRect(item.hDC, &rect);
  }
}

}  // namespace

void drawPushButtonFace(const DRAWITEMSTRUCT& item, HFONT font, HBRUSH background, std::u16string_view caption) {
  const HGDIOBJ oldFont = SelectObject(item.hDC, font);
  const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
  if (HTHEME theme = OpenThemeData(item.hwndItem, L"BUTTON")) {
    drawThemed(theme, item, background, caption);
    CloseThemeData(theme);
  } else {
    drawClassic(item, caption);
  }
  SetBkMode(item.hDC, oldMode);
  SelectObject(item.hDC, oldFont);
}

}  // namespace tessarin::platform::win32
