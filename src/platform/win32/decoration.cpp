#include "platform/win32/decoration.h"

#include "platform/win32/res/resource.h"

namespace tessarin::platform::win32 {

Win32ProgramIcon::Win32ProgramIcon(Win32Form& form)
    : NativeControl(form, createChild(form, L"STATIC", SS_ICON | SS_REALSIZECONTROL)) {}

Win32ProgramIcon::~Win32ProgramIcon() {
  if (icon_) DestroyIcon(icon_);
}

void Win32ProgramIcon::setBounds(Twips bounds) {
  placeAt(bounds);
  showIcon();
}

void Win32ProgramIcon::showIcon() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSARIN), IMAGE_ICON,
                                             client.right, client.bottom, 0));
  if (!icon) return;
  SendMessageW(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
}

Win32EtchedLine::Win32EtchedLine(Win32Form& form) : NativeControl(form, createChild(form, L"STATIC", SS_ETCHEDHORZ)) {}

}  // namespace tessarin::platform::win32
