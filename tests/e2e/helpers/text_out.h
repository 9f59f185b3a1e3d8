#pragma once
// Text as the journey helpers print it: UTF-8, one record per line, with tabs, line breaks and
// backslashes escaped so that shell scripts can split records on tabs and lines.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace e2e {

inline std::string utf8(std::wstring_view w) {
  if (w.empty()) return {};
  const int length = static_cast<int>(w.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), length, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), length, s.data(), n, nullptr, nullptr);
  return s;
}

inline std::string escaped(std::wstring_view w) {
  std::string out;
  for (char c : utf8(w)) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

// Bytes as two lower-case hex digits each, for data whose encoding is itself under test.
inline std::string hexBytes(std::string_view bytes) {
  std::string out;
  char pair[3];
  for (unsigned char b : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", b);
    out += pair;
  }
  return out;
}

inline std::string hex(unsigned long long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llx", v);
  return buf;
}

// Written straight to the handle: the C runtime's text mode would turn \n into \r\n.
inline void emitTo(HANDLE out, const std::string& line) {
  DWORD written = 0;
  const std::string l = line + "\n";
  WriteFile(out, l.data(), static_cast<DWORD>(l.size()), &written, nullptr);
}

inline void emit(const std::string& line) { emitTo(GetStdHandle(STD_OUTPUT_HANDLE), line); }

}  // namespace e2e
