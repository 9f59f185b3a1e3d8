#pragma once
// Libraries the program loads only when first used (delay-loaded, see delay/*.def). The
// delay-load helper can only end the program when a library will not load or lacks a function,
// so the backend asks for a library here before calling into it.

namespace tessarin::platform::win32 {

// Loads LIBRARY ("winmm.dll") by the process's search rules (the system folder, see
// dll_search.h) and checks that it has every function the program imports from it; the
// library then stays loaded, so that the helper binds to the module checked. Throws the
// system's error when it cannot be loaded or lacks a function.
void requireLateLibrary(const char* library);

}  // namespace tessarin::platform::win32
