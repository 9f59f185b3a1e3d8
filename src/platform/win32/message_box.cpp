#include "platform/win32/message_box.h"

#include "platform/win32/text.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {

// The toolkit's style bits are the MB_ values themselves.
static_assert(kOkCancel == MB_OKCANCEL && kYesNo == MB_YESNO && kIconCritical == MB_ICONERROR &&
              kIconQuestion == MB_ICONQUESTION && kIconExclamation == MB_ICONWARNING &&
              kIconInformation == MB_ICONINFORMATION);

MsgBoxResult showMessageBox(HWND owner, std::u16string_view text, std::u16string_view title,
                            int style) {
  constexpr UINT kKnownBits = MB_TYPEMASK | MB_ICONMASK;
  const std::wstring wideText = wideCopy(text);
  const std::wstring wideTitle = wideCopy(title);
  switch (MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), static_cast<UINT>(style) & kKnownBits)) {
    case IDOK:
      return MsgBoxResult::Ok;
    case IDCANCEL:
      return MsgBoxResult::Cancel;
    case IDYES:
      return MsgBoxResult::Yes;
    case IDNO:
      return MsgBoxResult::No;
    default:
      throwLastError("MessageBoxW");
  }
}

}  // namespace tessarin::platform::win32
