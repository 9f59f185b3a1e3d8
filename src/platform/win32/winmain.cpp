// tessarin.exe: restricts where libraries load from, runs the program on the Win32 backend and
// reports an error that reaches the top level before ending with exit code 1.
#include <windows.h>

#include <exception>
#include <memory>

#include "app/main.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/ole.h"
#include "platform/win32/process_protection.h"
#include "platform/win32/system.h"
#include "platform/win32/text.h"
#include "platform/win32/toolkit.h"

namespace {

using namespace tessarin;
using namespace tessarin::platform::win32;

std::u16string fatalText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const RuntimeError& runtimeError) {
    return TopLevelErrorText(runtimeError);
  } catch (const std::exception& other) {
    return fromAnsi(other.what());
  } catch (...) {
    return u"Unknown error";
  }
}

int reportFatal(const std::exception_ptr& error) {
  MessageBoxW(nullptr, wideCopy(fatalText(error)).c_str(), L"Tessarin", MB_OK | MB_ICONERROR | MB_TASKMODAL);
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
  } catch (...) {
    // The program ends here, as after any fatal error: its objects are left to the process end
    // rather than torn down in a state nobody planned for. The toolkit lives on while the
    // report is shown, because the windows still get messages.
    static_cast<void>(application.release());
    return reportFatal(std::current_exception());
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before any window or password exists. Where the system refuses, the program runs as before:
  // the user can do nothing about it, so nothing is shown.
  static_cast<void>(closeProcessToOtherPrograms());
  restrictDllSearch();
  int exitCode = 1;
  try {
    exitCode = run();
  } catch (...) {
    exitCode = reportFatal(std::current_exception());
  }
  endOle();
  return exitCode;
}
