// tessarin.exe: sets up OLE and the common controls, runs the program on the Win32 backend and
// reports a run-time error that reaches the top level before ending with exit code 1.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <exception>
#include <memory>

#include "app/main.h"
#include "platform/win32/system.h"
#include "platform/win32/text.h"
#include "platform/win32/toolkit.h"

namespace {

using namespace tessarin;
using namespace tessarin::platform::win32;

constexpr wchar_t kTitle[] = L"Tessarin";

int reportFatal(const std::u16string& text) {
  MessageBoxW(nullptr, wideCopy(text).c_str(), kTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  return 1;
}

int run() {
  Win32Toolkit toolkit;
  Win32System system;
  platform::Platform platform{toolkit, system};
  std::unique_ptr<Application> application;
  try {
    application = Main(platform);
    toolkit.runMessageLoop();
    application.reset();
    return 0;
  } catch (const RuntimeError& error) {
    // The program ends here, as after any fatal error: its objects are left to the process end
    // rather than torn down in a state nobody planned for.
    static_cast<void>(application.release());
    return reportFatal(TopLevelErrorText(error));
  } catch (const std::exception& error) {
    static_cast<void>(application.release());
    return reportFatal(fromAnsi(error.what()));
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (FAILED(OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const int exitCode = run();
  OleUninitialize();
  return exitCode;
}
