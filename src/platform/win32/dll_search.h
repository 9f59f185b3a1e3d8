#pragma once
// Where the program's libraries come from. The program is often unpacked into a folder such as
// Downloads, where a planted copy of a system library beside tessarin.exe would be loaded before
// the system's own.

namespace tessarin::platform::win32 {

// The first thing at start-up: libraries load from the system folder only, and the process
// refuses foreign code where Windows offers that. Each step is skipped where the system lacks it.
void restrictDllSearch();

}  // namespace tessarin::platform::win32
