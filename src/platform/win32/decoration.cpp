#include "platform/win32/decoration.h"

#include "platform/win32/res/resource.h"

namespace tessarin::platform::win32 {

namespace {

// A copy of the icon at that size, which the caller destroys.
HICON loadIcon(IconKind kind, int width, int height) {
  if (kind == IconKind::Program) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSARIN), IMAGE_ICON, width, height, 0));
  }
  // The system's icon is shared; its copy is made from the image of that size.
  return static_cast<HICON>(
      CopyImage(LoadIconW(nullptr, IDI_ERROR), IMAGE_ICON, width, height, LR_COPYFROMRESOURCE));
}

}  // namespace

Win32Icon::Win32Icon(Win32Form& form, IconKind kind)
    : NativeControl(form, {L"STATIC", SS_ICON | SS_REALSIZECONTROL}, Making::Now), kind_(kind) {}

Win32Icon::~Win32Icon() {
  if (icon_) DestroyIcon(icon_);
}

void Win32Icon::setBounds(Twips bounds) {
  placeAt(bounds);
  showIcon();
}

void Win32Icon::showIcon() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  HICON icon = loadIcon(kind_, client.right, client.bottom);
  if (!icon) return;
  SendMessageW(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
}

Win32EtchedLine::Win32EtchedLine(Win32Form& form) : NativeControl(form, {L"STATIC", SS_ETCHEDHORZ}, Making::Now) {}

}  // namespace tessarin::platform::win32
