// memscan: looks through another process's memory for a text. Tessarin lets no other Windows
// program read its memory, so the scanner reads it as the Linux process it is under Wine: the
// regions listed in /proc/<pid>/maps, through /proc/<pid>/mem, which no Windows DACL governs (a
// process of the same user may read it, as a debugger may on Windows). Every readable region is
// searched for the text in UTF-16 and in the ANSI code page; each hit is printed with the region
// it lies in and the bytes around it, so that a leftover copy can be traced to where it came from.
//
//   memscan.exe <Linux process id> <text>
//
// Output: one "found" line per hit (encoding, address, region base, type, permissions, whether
// it sits in a COM message buffer, context), then "scanned regions=<n> bytes=<n> hits=<n>".
// A hit is "marshalled" when it lies in a message COM built to send a global memory block to
// another process: the block's bytes follow a header ("WdtR", the handle, the size, the handle
// and the size again), and a releaser sent along follows them as an object reference, which
// begins with "MEOW". Any mark will do (the "WdtR", the handle and size twice over, or the
// releaser), as the heap reuses the start and the end of a freed message and may wipe some of
// them. Exit status: 0 no hit, 1 hits, 2 no such process or it could not be read, 3 bad usage.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "text_out.h"

namespace {

using e2e::emit;
using e2e::hex;

struct Region {
  unsigned long long base = 0;
  unsigned long long size = 0;
  std::string permissions;  // "rw-p" as the maps file has them
  std::string path;
};

// The whole of a file that reports no size, as the files under /proc do.
bool readWholeFile(const std::wstring& path, std::string& out) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got) out.append(chunk, got);
  CloseHandle(file);
  return !out.empty();
}

// The readable regions; the kernel's own pages ([vvar], [vsyscall]) cannot be read through mem.
std::vector<Region> readableRegions(const std::string& maps) {
  std::vector<Region> regions;
  size_t at = 0;
  while (at < maps.size()) {
    const size_t end = std::min(maps.find('\n', at), maps.size());
    const std::string line = maps.substr(at, end - at);
    at = end + 1;
    unsigned long long from = 0, to = 0;
    char permissions[8] = {};
    int consumed = 0;
    if (std::sscanf(line.c_str(), "%llx-%llx %7s %*s %*s %*s %n", &from, &to, permissions, &consumed) < 3) continue;
    Region region{from, to - from, permissions, consumed > 0 ? line.substr(static_cast<size_t>(consumed)) : ""};
    if (region.permissions[0] != 'r' || region.path == "[vvar]" || region.path == "[vsyscall]") continue;
    regions.push_back(region);
  }
  return regions;
}

const char* typeName(const Region& region) {
  if (region.path.empty() || region.path[0] == '[') return "private";
  const std::string tail = region.path.size() >= 4 ? region.path.substr(region.path.size() - 4) : "";
  return tail == ".dll" || tail == ".exe" || tail == ".drv" || region.path.find(".so") != std::string::npos ? "image" : "mapped";
}

// Printable ASCII as itself, everything else as '.', so UTF-16 text reads as "t.e.x.t.".
std::string context(const std::string& bytes, size_t at, size_t length) {
  constexpr size_t kAround = 24;
  const size_t from = at > kAround ? at - kAround : 0;
  const size_t to = std::min(bytes.size(), at + length + kAround);
  std::string out;
  for (size_t i = from; i < to; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    out += c >= 0x20 && c < 0x7f && c != '\\' ? static_cast<char>(c) : '.';
  }
  return out;
}

// The header's handle and size, twice over, right before the hit: a size that holds the hit.
bool sizedTwice(const std::string& bytes, size_t at, size_t length) {
  constexpr size_t kLargestBlock = 1 << 20;
  if (at < 16) return false;
  uint32_t handleSize[4];
  std::memcpy(handleSize, bytes.data() + at - 16, sizeof handleSize);
  const uint32_t handle = handleSize[0], size = handleSize[1];
  return handle != 0 && handle == handleSize[2] && size == handleSize[3] && size >= length && size <= kLargestBlock;
}

bool marshalled(const std::string& bytes, size_t at, size_t length) {
  constexpr size_t kHeader = 20;
  constexpr size_t kReleaserWithin = 24;
  const bool header = at >= kHeader && bytes.compare(at - kHeader, 4, "WdtR") == 0;
  const size_t end = at + length;
  const size_t releaser = bytes.find("MEOW", end);
  return header || sizedTwice(bytes, at, length) ||
         (releaser != std::string::npos && releaser - end <= kReleaserWithin);
}

struct Pattern {
  const char* encoding;
  std::string bytes;
};

std::vector<Pattern> patternsFor(const std::wstring& text) {
  std::vector<Pattern> patterns;
  patterns.push_back({"utf16", std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2)});
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), n, nullptr, nullptr);
  patterns.push_back({"ansi", ansi});
  return patterns;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 || !argv[2][0]) return 3;
  const std::wstring proc = L"Z:\\proc\\" + std::wstring(argv[1]) + L"\\";
  std::string maps;
  HANDLE memory = INVALID_HANDLE_VALUE;
  if (readWholeFile(proc + L"maps", maps))
    memory = CreateFileW((proc + L"mem").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (memory == INVALID_HANDLE_VALUE) {
    emit("error\tno readable process with Linux id " + e2e::utf8(argv[1]));
    return 2;
  }
  const auto patterns = patternsFor(argv[2]);
  size_t regions = 0;
  size_t scanned = 0;
  size_t hits = 0;
  std::string bytes;
  for (const Region& region : readableRegions(maps)) {
    bytes.resize(region.size);
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(region.base);
    at.OffsetHigh = static_cast<DWORD>(region.base >> 32);
    DWORD got = 0;
    if (!ReadFile(memory, bytes.data(), static_cast<DWORD>(bytes.size()), &got, &at) || got == 0) continue;
    bytes.resize(got);
    ++regions;
    scanned += got;
    for (const auto& pattern : patterns) {
      for (size_t pos = bytes.find(pattern.bytes); pos != std::string::npos; pos = bytes.find(pattern.bytes, pos + 1)) {
        ++hits;
        emit(std::string("found\tencoding=") + pattern.encoding + "\taddress=" + hex(region.base + pos) +
             "\tbase=" + hex(region.base) + "\ttype=" + typeName(region) + "\tpermissions=" + region.permissions +
             "\tmarshalled=" + (marshalled(bytes, pos, pattern.bytes.size()) ? "1" : "0") +
             "\tcontext=" + context(bytes, pos, pattern.bytes.size()));
      }
    }
  }
  CloseHandle(memory);
  emit("scanned\tregions=" + std::to_string(regions) + "\tbytes=" + std::to_string(scanned) +
       "\thits=" + std::to_string(hits));
  if (regions == 0) return 2;
  return hits ? 1 : 0;
}
