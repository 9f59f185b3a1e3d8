#pragma once
// OLE serves only the drag and the shell's folder dialog. Starting it loads several DLLs and
// makes a hidden window, a good part of start-up under Wine, so the UI thread starts it when
// one of them is first used.

namespace tessarin::platform::win32 {

// Starts OLE on this thread if it is not running yet; false when it could not be started.
// Throws the system's error when its libraries cannot be had (late_library.h).
bool startOle();
// Ends OLE on this thread if startOle started it; for the end of the program.
void endOle();

}  // namespace tessarin::platform::win32
