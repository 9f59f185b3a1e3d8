#pragma once
// The program's version, shown in the About window and written into the executable.
namespace tessarin {

inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 0;
inline constexpr const char16_t* kVersionText = u"3.1.0";

}  // namespace tessarin
