#include "platform/win32/ole.h"

#include <ole2.h>

namespace tessarin::platform::win32 {
namespace {

// OLE is started per thread, and so is this flag.
thread_local bool oleStarted = false;

}  // namespace

bool startOle() {
  if (!oleStarted) oleStarted = SUCCEEDED(OleInitialize(nullptr));
  return oleStarted;
}

void endOle() {
  if (!oleStarted) return;
  oleStarted = false;
  OleUninitialize();
}

}  // namespace tessarin::platform::win32
