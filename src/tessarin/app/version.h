#pragma once
// The program's version, shown in the About window. It comes from the CMake project version,
// which also names the release archives and fills the executable's version resource.
#include "tessarin_version.h"

namespace tessarin {

inline constexpr const char16_t* kVersionText = u"" TESSARIN_VERSION_TEXT;

}  // namespace tessarin
