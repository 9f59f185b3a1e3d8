#pragma once
// The grey-dot pointer: a small grey dot on a transparent background, so that a screen capture
// shows no arrow pointing at a key.
#include <windows.h>

namespace tessarin::platform::win32 {

// The caller destroys it with DestroyCursor.
HCURSOR createGreyDotCursor();

}  // namespace tessarin::platform::win32
