#pragma once
// The tests' own executable doubles as the closed process that process_protection_test looks at.
namespace tessarin::platform::win32 {

inline constexpr wchar_t kClosedProcessSwitch[] = L"--closed-process";

// Closes this process, signals the inherited event whose handle value is given, then waits to be
// ended. Returns only on failure.
int runClosedProcess(const wchar_t* readyEvent);

}  // namespace tessarin::platform::win32
