#pragma once
// OS failures the program must hear about become exceptions carrying the Win32 error code and
// the system's own message for it, so that a report can show both.
#include <windows.h>

#include <system_error>

namespace tessarin::platform::win32 {

// Win32 error codes, with FormatMessage's text as the message.
const std::error_category& windowsCategory();

inline std::system_error windowsError(DWORD code, const char* what) {
  return std::system_error(static_cast<int>(code), windowsCategory(), what);
}

[[noreturn]] inline void throwLastError(const char* what) { throw windowsError(GetLastError(), what); }

}  // namespace tessarin::platform::win32
