#include "platform/common/ini_document.h"

#include <algorithm>
#include <cctype>

namespace tessarin::common {

namespace {

std::string_view Trim(std::string_view text) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The name of a section header line, or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  return Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return std::pair{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Matching quotes around a value are not part of it.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    auto end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    start = end + 1;
  }
}

std::optional<IniDocument::Location> IniDocument::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (!name || !SameName(*name, Trim(section))) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !SectionName(lines_[end])) ++end;
    return Location{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKey(const Location& where, std::string_view key) const {
  for (std::size_t i = where.sectionLine + 1; i < where.endLine; ++i) {
    const auto pair = KeyValue(lines_[i]);
    if (pair && SameName(pair->first, Trim(key))) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniDocument::get(std::string_view section, std::string_view key) const {
  const auto where = findSection(section);
  if (!where) return std::nullopt;
  const auto line = findKey(*where, key);
  if (!line) return std::nullopt;
  return std::string(Unquote(KeyValue(lines_[*line])->second));
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string entry = std::string(Trim(key)) + "=" + std::string(value);
  const auto where = findSection(section);
  if (!where) {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    std::string header(1, '[');
    header.append(Trim(section)).push_back(']');
    lines_.push_back(std::move(header));
    lines_.push_back(entry);
    return;
  }
  if (const auto line = findKey(*where, key)) {
    lines_[*line] = entry;
    return;
  }
  // After the section's last non-empty line, so blank lines between sections stay between them.
  std::size_t insertAt = where->endLine;
  while (insertAt > where->sectionLine + 1 && Trim(lines_[insertAt - 1]).empty()) --insertAt;
  lines_.insert(lines_.begin() + static_cast<long>(insertAt), entry);
}

std::string IniDocument::serialize() const {
  std::string out;
  for (const auto& line : lines_) out += line + "\r\n";
  return out;
}

}  // namespace tessarin::common
