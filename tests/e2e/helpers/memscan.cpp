// memscan: looks through another process's memory for a text, as anything running as the same
// user could. Every committed, readable region is read and searched for the text in UTF-16 and
// in the ANSI code page; each hit is printed with the region it lies in and the bytes around it,
// so that a leftover copy can be traced to where it came from.
//
//   memscan.exe <exe name> <text>
//
// Output: one "found" line per hit (encoding, address, region base, type, protection, whether
// it sits in a COM message buffer, context), then "scanned regions=<n> bytes=<n> hits=<n>".
// A hit is "marshalled" when it lies in a message COM built to send a global memory block to
// another process: the block's bytes follow a header ("WdtR", the handle, the size, the handle
// and the size again), and a releaser sent along follows them as an object reference, which
// begins with "MEOW". Either mark will do, as a freed message may have lost the other. Exit status: 0 no hit, 1 hits, 2 no such
// process or it could not be read, 3 bad usage.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text_out.h"

namespace {

using e2e::emit;
using e2e::hex;

DWORD processId(const wchar_t* exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
    if (lstrcmpiW(entry.szExeFile, exeName) == 0) found = entry.th32ProcessID;
  CloseHandle(snapshot);
  return found;
}

bool readable(const MEMORY_BASIC_INFORMATION& region) {
  if (region.State != MEM_COMMIT || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS))) return false;
  return region.Protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY);
}

const char* typeName(DWORD type) {
  switch (type) {
    case MEM_IMAGE: return "image";
    case MEM_MAPPED: return "mapped";
    case MEM_PRIVATE: return "private";
  }
  return "other";
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

bool marshalled(const std::string& bytes, size_t at, size_t length) {
  constexpr size_t kHeader = 20;
  constexpr size_t kReleaserWithin = 24;
  const bool header = at >= kHeader && bytes.compare(at - kHeader, 4, "WdtR") == 0;
  const size_t end = at + length;
  const size_t releaser = bytes.find("MEOW", end);
  return header || (releaser != std::string::npos && releaser - end <= kReleaserWithin);
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
  const DWORD pid = processId(argv[1]);
  HANDLE process = pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
  if (!process) {
    emit("error\tno readable process named " + e2e::utf8(argv[1]));
    return 2;
  }
  const auto patterns = patternsFor(argv[2]);
  size_t regions = 0;
  size_t scanned = 0;
  size_t hits = 0;
  MEMORY_BASIC_INFORMATION region{};
  std::string bytes;
  for (auto* at = static_cast<char*>(nullptr); VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
       at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
    if (!readable(region)) continue;
    bytes.resize(region.RegionSize);
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, region.BaseAddress, bytes.data(), bytes.size(), &got) || got == 0) continue;
    bytes.resize(got);
    ++regions;
    scanned += got;
    for (const auto& pattern : patterns) {
      for (size_t pos = bytes.find(pattern.bytes); pos != std::string::npos; pos = bytes.find(pattern.bytes, pos + 1)) {
        ++hits;
        emit(std::string("found\tencoding=") + pattern.encoding +
             "\taddress=" + hex(reinterpret_cast<ULONG_PTR>(region.BaseAddress) + pos) +
             "\tbase=" + hex(reinterpret_cast<ULONG_PTR>(region.BaseAddress)) + "\ttype=" + typeName(region.Type) +
             "\tprotect=" + hex(region.Protect) + "\tmarshalled=" + (marshalled(bytes, pos, pattern.bytes.size()) ? "1" : "0") +
             "\tcontext=" + context(bytes, pos, pattern.bytes.size()));
      }
    }
  }
  CloseHandle(process);
  emit("scanned\tregions=" + std::to_string(regions) + "\tbytes=" + std::to_string(scanned) +
       "\thits=" + std::to_string(hits));
  if (regions == 0) return 2;
  return hits ? 1 : 0;
}
