// The Win32 tests start like tessarin.exe does: libraries from the system folder only; OLE
// first (each toolkit sets up the common controls).
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cwchar>

#include "platform/win32/dll_search.h"
#include "process_protection_child.h"

int main(int argc, char** argv) {
  tessarin::platform::win32::restrictDllSearch();
  int wideCount = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &wideCount);
  if (wide && wideCount == 3 && std::wcscmp(wide[1], tessarin::platform::win32::kClosedProcessSwitch) == 0)
    return tessarin::platform::win32::runClosedProcess(wide[2]);
  ::testing::InitGoogleTest(&argc, argv);
  if (FAILED(OleInitialize(nullptr))) return 2;
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
