#pragma once
// The settings file "tsnconfig.ini" beside the program, read once at start-up and written key
// by key as settings change. Layout files use the same read and write procedures.
#include <optional>
#include <string>
#include <string_view>

#include "platform/system.h"

namespace tessarin {

inline constexpr std::u16string_view kSettingsSection = u"Settings";
inline constexpr std::u16string_view kActionKeySection = u"Action Keyboard Button Text";

std::u16string GetSettingsFilePath(const platform::System& system);

// A value of at most 254 UTF-16 units, never ending in half a surrogate pair; empty for a missing file, section or key, or an empty path.
std::u16string ReadSetting(const platform::System& system, std::u16string_view strPath,
                           std::u16string_view strSection, std::u16string_view strKey);

// Writes unless saving is switched off in the running application. An empty path is replaced by
// the settings file's path first. Gives the system's reason when the file could not be written.
std::optional<std::u16string> WriteSetting(platform::System& system, std::u16string& strPath,
                                           std::u16string_view strSection, std::u16string_view strKey,
                                           std::u16string_view strValue);

// The toolkit's lenient number test: spaces around, a sign and a fractional part are accepted;
// the value comes back rounded to the nearest integer, halves to even. Values that do not fit
// a 32-bit integer are not numbers here.
std::optional<long> ParseLenientInteger(std::u16string_view text);

}  // namespace tessarin
