#pragma once
// OS failures the program must hear about become exceptions carrying the Win32 error code.
#include <windows.h>

#include <system_error>

namespace tessarin::platform::win32 {

[[noreturn]] inline void throwLastError(const char* what) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

}  // namespace tessarin::platform::win32
