#include "layouts/layout_reader.h"

#include <memory>

#include "platform/common/ini_document.h"
#include "platform/common/utf16.h"
#include "platform/common/utf8.h"
#include "settings/settings_file.h"

namespace tessarin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// Larger layout files are not layouts; the rest of such a file is ignored.
constexpr std::size_t kLargestUtf8File = 4 << 20;
// A value comes back at most this long, as through the profile functions' buffer.
constexpr std::size_t kLongestValue = 254;

std::string Ascii(std::u16string_view name) { return {name.begin(), name.end()}; }

}  // namespace

LayoutReader LayoutReaderFor(const platform::System& system, std::u16string_view path) {
  const auto start = system.readFileStart(path, kUtf8Mark.size());
  if (!start || *start != kUtf8Mark) {
    return [&system, file = std::u16string(path)](std::u16string_view section, std::u16string_view entry) {
      return ReadSetting(system, file, section, entry);
    };
  }
  const auto bytes = system.readFileStart(path, kLargestUtf8File);
  auto document = std::make_shared<common::IniDocument>(std::string_view(*bytes).substr(kUtf8Mark.size()));
  return [document](std::u16string_view section, std::u16string_view entry) {
    const auto value = document->get(Ascii(section), Ascii(entry));
    if (!value) return std::u16string();
    return std::u16string(common::CutKeepingPairs(common::Utf8ToUtf16(*value), kLongestValue));
  };
}

}  // namespace tessarin
