#include "app/mod_main.h"

#include "app/error_description.h"
#include "app/runtime_error.h"

namespace tessarin {

namespace {

std::uint8_t ToByte(int value) {
  if (value < 0 || value > 255) throw RuntimeError(kErrOverflow, u"Overflow");
  return static_cast<std::uint8_t>(value);
}

}  // namespace

void SetFormTransparency(platform::Platform& platform, platform::Form& form, int intAlpha) {
  try {
    form.makeLayered();
    form.setOpacity(ToByte(intAlpha));
  } catch (...) {
    const auto error = DescribeCurrentError();
    platform.toolkit.messageBox(error.text + u" Source : " + error.source, u"Tessarin", platform::kOkOnly, nullptr);
  }
}

bool FileFound(const platform::System& system, std::u16string_view strPath) { return system.fileExists(strPath); }

void PlayBeep(platform::System& system) {
  const std::u16string path = system.programDirectory() + u"\\beep.wav";
  if (FileFound(system, path))
    system.playSoundSync(path);
  else
    system.beep();
}

void SetClickThrough(platform::Form& frm, int blnOn) { frm.setClickThrough(blnOn == -1); }

}  // namespace tessarin
