#pragma once
// Small window and sound procedures used across the program.
#include <string_view>

#include "platform/platform.h"

namespace tessarin {

// Makes the window layered and sets its opacity; an alpha outside 0 to 255 is reported in a
// message box and leaves the opacity as it was.
void SetFormTransparency(platform::Platform& platform, platform::Form& form, int intAlpha);
bool FileFound(const platform::System& system, std::u16string_view strPath);
// Plays "beep.wav" from the program's directory to its end, or the system beep without it.
void PlayBeep(platform::System& system);
// -1 lets clicks pass through the window; any other value makes it take them again.
void SetClickThrough(platform::Form& frm, int blnOn);

}  // namespace tessarin
