#pragma once
// An INI file in memory with the semantics of the Windows profile functions: names match
// without regard to case, spaces around names and values are ignored, the first of duplicate
// sections or keys wins, and writing keeps every other line as it was.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::common {

class IniDocument {
 public:
  explicit IniDocument(std::string_view bytes = {});
  std::optional<std::string> get(std::string_view section, std::string_view key) const;
  void set(std::string_view section, std::string_view key, std::string_view value);
  std::string serialize() const;

 private:
  struct Location {
    std::size_t sectionLine;
    std::size_t endLine;  // one past the section's last line
  };
  std::optional<Location> findSection(std::string_view section) const;
  std::optional<std::size_t> findKey(const Location& where, std::string_view key) const;
  std::vector<std::string> lines_;
};

}  // namespace tessarin::common
