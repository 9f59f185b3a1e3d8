// The Win32 tests start like tessarin.exe does: libraries from the system folder only; OLE
// first (each toolkit sets up the common controls).
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "platform/win32/dll_search.h"

int main(int argc, char** argv) {
  tessarin::platform::win32::restrictDllSearch();
  ::testing::InitGoogleTest(&argc, argv);
  if (FAILED(OleInitialize(nullptr))) return 2;
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
