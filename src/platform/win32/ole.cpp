#include "platform/win32/ole.h"

#include <ole2.h>

#include "platform/win32/late_library.h"

namespace tessarin::platform::win32 {
namespace {

// OLE is started per thread, and so is this flag.
thread_local bool oleStarted = false;

}  // namespace

bool startOle() {
  if (oleStarted) return true;
  // The shell serves every use of OLE here: the drag's list of formats and the folder dialog.
  requireLateLibrary("ole32.dll");
  requireLateLibrary("shell32.dll");
  oleStarted = SUCCEEDED(OleInitialize(nullptr));
  return oleStarted;
}

void endOle() {
  if (!oleStarted) return;
  oleStarted = false;
  OleUninitialize();
}

}  // namespace tessarin::platform::win32
