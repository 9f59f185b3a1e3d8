#include "app/application.h"

#include "app/decimal_text.h"
#include "app/frm_error.h"
#include "keyboard/keyboard.h"

namespace tessarin {

Application::Application(platform::Platform& platform)
    : platform_(platform), toolbar_(std::make_unique<tessarin::Toolbar>()) {
  keyboard_ = std::make_unique<tessarin::Keyboard>(platform);
  // Like a global reference assigned once construction has finished: code that runs during
  // start-up sees no application yet.
  current_ = this;
}

Application::~Application() {
  current_ = nullptr;
  keyboard_.reset();
  toolbar_.reset();
}

void Application::CloseProgram() {
  const auto forms = platform_.toolkit.loadedForms();
  for (auto i = static_cast<long>(forms.size()) - 1; i >= 1; --i) forms[i]->unload();
}

void Application::LogError(const std::u16string& strErrorProc, long lngErrorNumber, const std::u16string& strError,
                           platform::Form& frm) {
  FrmError report(platform_.toolkit);
  report.ErrorString = strErrorProc + u"\r\n" + DecimalText(lngErrorNumber) + u": " + strError;
  report.form().show(true, &frm);
}

}  // namespace tessarin
