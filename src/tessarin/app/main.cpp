#include "app/main.h"

#include "app/decimal_text.h"

namespace tessarin {

std::unique_ptr<Application> Main(platform::Platform& platform) { return std::make_unique<Application>(platform); }

std::u16string TopLevelErrorText(const RuntimeError& error) {
  return u"Run-time error '" + DecimalText(error.number()) + u"':\r\n\r\n" + error.description();
}

}  // namespace tessarin
