// The Win32 tests start like tessarin.exe does: OLE and the common controls first.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cwchar>

#include "process_protection_child.h"

int main(int argc, char** argv) {
  int wideCount = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &wideCount);
  if (wide && wideCount == 3 && std::wcscmp(wide[1], tessarin::platform::win32::kClosedProcessSwitch) == 0)
    return tessarin::platform::win32::runClosedProcess(wide[2]);
  ::testing::InitGoogleTest(&argc, argv);
  if (FAILED(OleInitialize(nullptr))) return 2;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
