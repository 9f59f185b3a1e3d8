#pragma once
// MessageBoxW with the toolkit's style bits and results.
#include <windows.h>

#include <string_view>

#include "platform/toolkit.h"

namespace tessarin::platform::win32 {

MsgBoxResult showMessageBox(HWND owner, std::u16string_view text, std::u16string_view title,
                            int style);

}  // namespace tessarin::platform::win32
