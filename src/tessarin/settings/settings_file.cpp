#include "settings/settings_file.h"

#include <cmath>
#include <limits>

#include "app/application.h"
#include "keyboard/keyboard.h"
#include "platform/common/utf16.h"

namespace tessarin {

namespace {
constexpr int kValueBufferChars = 255;
}

std::u16string GetSettingsFilePath(const platform::System& system) {
  return system.programDirectory() + u"\\tsnconfig.ini";
}

std::u16string ReadSetting(const platform::System& system, std::u16string_view strPath,
                           std::u16string_view strSection, std::u16string_view strKey) {
  if (strPath.empty()) return {};
  std::u16string value = system.readProfileString(strPath, strSection, strKey, kValueBufferChars);
  // The buffer may have cut a character outside the BMP in half: its first half goes too.
  if (!value.empty() && common::IsHighSurrogate(value.back())) value.pop_back();
  return value;
}

std::optional<std::u16string> WriteSetting(platform::System& system, std::u16string& strPath,
                                           std::u16string_view strSection, std::u16string_view strKey,
                                           std::u16string_view strValue) {
  if (auto* app = Application::current(); app && !app->Keyboard().SaveSettingsInINI()) return std::nullopt;
  if (strPath.empty()) strPath = GetSettingsFilePath(system);
  return system.writeProfileString(strPath, strSection, strKey, strValue);
}

std::optional<long> ParseLenientInteger(std::u16string_view text) {
  std::size_t i = 0;
  auto skipSpaces = [&] {
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  };
  skipSpaces();
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  double value = 0;
  bool digits = false;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, digits = true)
    value = value * 10 + (text[i] - u'0');
  if (i < text.size() && text[i] == u'.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i, digits = true, scale /= 10)
      value += (text[i] - u'0') * scale;
  }
  skipSpaces();
  if (!digits || i != text.size()) return std::nullopt;
  if (negative) value = -value;
  const double rounded = std::nearbyint(value);  // the default rounding mode is to nearest, halves to even
  if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<long>(rounded);
}

}  // namespace tessarin
