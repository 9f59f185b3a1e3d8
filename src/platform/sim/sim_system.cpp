#include "platform/sim/sim_system.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "platform/common/ini_document.h"
#include "platform/common/utf16.h"
#include "platform/common/utf8.h"

namespace tessarin::sim {

namespace {

// Profile files are ANSI text unless they start with a UTF-16LE byte-order mark. The
// simulation's ANSI code page is Latin-1: each byte is the code point of the same value.
std::string ToLatin1(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t ch : text) out.push_back(static_cast<char>(ch));
  return out;
}

std::u16string FromLatin1(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char b : bytes) out.push_back(static_cast<unsigned char>(b));
  return out;
}

bool FitsLatin1(std::u16string_view text) {
  return std::ranges::all_of(text, [](char16_t ch) { return ch < 0x100; });
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// A profile file's lines as UTF-8, for the INI reader and writer, and its encoding.
struct ProfileFile {
  explicit ProfileFile(const std::string& bytes) {
    unicode = bytes.starts_with(common::kUtf16LeMark);
    const std::u16string text = unicode ? common::FromUtf16LeBytes(std::string_view(bytes).substr(2)) : FromLatin1(bytes);
    document = common::IniDocument(common::Utf16ToUtf8(text));
  }
  std::string bytes() const {
    const std::u16string text = common::Utf8ToUtf16(document.serialize());
    return unicode ? std::string(common::kUtf16LeMark) + common::ToUtf16LeBytes(text) : ToLatin1(text);
  }
  common::IniDocument document;
  bool unicode = false;
};

// The program reads a file key by key, as the profile functions let it, so the parse of the
// last file read is kept for as long as its bytes stay the same: a large file would otherwise
// be converted and split again for every key.
const ProfileFile& ParsedProfile(const std::string& native) {
  thread_local std::string lastBytes;
  thread_local ProfileFile last{std::string()};
  std::string bytes = ReadFile(native);
  if (bytes != lastBytes) {
    last = ProfileFile(bytes);
    lastBytes = std::move(bytes);
  }
  return last;
}

}  // namespace

void SimSystem::record(std::string call) {
  constexpr int kAccessDenied = 5;
  if (!failingCall.empty() && call == failingCall) {
    failingCall.clear();
    throw std::system_error(kAccessDenied, std::system_category(), call);
  }
  calls.push_back(std::move(call));
}

std::string SimSystem::NativePath(std::u16string_view path) {
  std::u16string native(path);
  std::ranges::replace(native, u'\\', u'/');
  return common::Utf16ToUtf8(native);
}

bool SimSystem::fileExists(std::u16string_view path) const {
  std::error_code error;
  return std::filesystem::is_regular_file(NativePath(path), error);
}

std::u16string SimSystem::readProfileString(std::u16string_view path, std::u16string_view section,
                                            std::u16string_view key, int bufferChars) const {
  const ProfileFile& file = ParsedProfile(NativePath(path));
  const auto value = file.document.get(common::Utf16ToUtf8(section), common::Utf16ToUtf8(key));
  if (!value || bufferChars <= 0) return {};
  return common::Utf8ToUtf16(*value).substr(0, static_cast<std::size_t>(bufferChars - 1));
}

// As the profile functions do with a file that starts with the byte-order mark, such a file
// keeps every character; an ANSI file is first rewritten in that form when a name or value
// needs characters outside the ANSI code page.
std::optional<std::u16string> SimSystem::writeProfileString(std::u16string_view path, std::u16string_view section,
                                                            std::u16string_view key, std::u16string_view value) {
  const std::string native = NativePath(path);
  ProfileFile file = ParsedProfile(native);
  if (!FitsLatin1(section) || !FitsLatin1(key) || !FitsLatin1(value)) file.unicode = true;
  file.document.set(common::Utf16ToUtf8(section), common::Utf16ToUtf8(key), common::Utf16ToUtf8(value));
  errno = 0;
  std::ofstream out(native, std::ios::binary | std::ios::trunc);
  out << file.bytes() << std::flush;
  if (!out) return common::Utf8ToUtf16(std::generic_category().message(errno));
  ++profileWrites;
  return std::nullopt;
}

bool SimSystem::playSoundSync(std::u16string_view path) {
  record("playSoundSync(" + NativePath(path) + ")");
  return true;
}

short SimSystem::keyState(int virtualKey) const {
  constexpr int kCapital = 0x14;
  short state = keysDown.count(virtualKey) ? static_cast<short>(0x8000) : 0;
  if (virtualKey == kCapital && capsLockToggled) state |= 1;
  return state;
}

short SimSystem::asyncKeyState(int virtualKey) const {
  return keysDown.count(virtualKey) ? static_cast<short>(0x8000) : 0;
}

std::u16string SimSystem::layoutCharacters(int virtualKey, bool shifted) const {
  const auto it = layout.find(virtualKey);
  return it == layout.end() ? std::u16string() : it->second[shifted ? 1 : 0];
}

std::uintptr_t SimSystem::installPrintScreenHook() {
  record("installPrintScreenHook");
  if (hookInstallFails) return 0;
  installedHook = 0x4B;
  return installedHook;
}

void SimSystem::removePrintScreenHook(std::uintptr_t hook) {
  record("removePrintScreenHook");
  if (hook == installedHook) installedHook = 0;
}

void SimSystem::setCursorPos(platform::PixelPoint point) {
  cursor = point;
  record("setCursorPos(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")");
}

SimSystem::ForeignWindow* SimSystem::foreignWindow(platform::WindowId id) {
  return const_cast<ForeignWindow*>(std::as_const(*this).foreignWindow(id));
}

const SimSystem::ForeignWindow* SimSystem::foreignWindow(platform::WindowId id) const {
  for (const auto& window : foreignWindows)
    if (id && window.id == id) return &window;
  return nullptr;
}

platform::WindowId SimSystem::windowFromPoint(platform::PixelPoint point) const {
  for (const auto& w : foreignWindows)
    if (point.x >= w.rect.left && point.x < w.rect.right && point.y >= w.rect.top && point.y < w.rect.bottom)
      return w.id;
  return 0;
}

void SimSystem::bringToFront(platform::WindowId window) {
  record("bringToFront(" + std::to_string(window) + ")");
  if (window) moveForeground(window);
}

void SimSystem::moveForeground(platform::WindowId window) {
  if (window == foreground_) return;
  foreground_ = window;
  if (onForegroundMoved) onForegroundMoved();
}

void SimSystem::clickLeft() { record("clickLeft"); }

// Like the real thing, every unit of a batch is handed over before the target handles the
// first: the foreground moving part-way does not hold back the rest of the batch, a window that
// closes does. The target handles each batch as soon as it goes, before the next is asked for.
platform::System::TypeResult SimSystem::typeChars(platform::WindowId window,
                                                  std::span<const std::u16string_view> batches,
                                                  const std::function<bool()>& keepGoing) {
  record("typeChars");
  auto* target = foreignWindow(window);
  if (!target) return {0, SendResult::Lost};
  if (target->refusesChars) return {0, SendResult::Refused};
  TypeResult typed;
  for (std::size_t i = 0; i < batches.size(); ++i) {
    if (i > 0 && !keepGoing()) return {typed.taken, SendResult::Stopped};
    target->batchSizes.push_back(batches[i].size());
    for (char16_t unit : batches[i]) {
      if (!target->id) return {typed.taken, SendResult::Lost};
      target->received.push_back(unit);
      ++typed.taken;
      if (target->received.size() == target->foregroundMovesAfterChars) moveForeground(0x7FFF);
      if (target->received.size() == target->closesAfterChars) target->id = 0;
    }
  }
  return typed;
}

platform::System::WindowOwner SimSystem::windowOwner(platform::WindowId window) const {
  const auto* target = foreignWindow(window);
  if (!window || !target) return WindowOwner::None;
  if (target->program == kThisProgram) return WindowOwner::ThisProgram;
  return target->otherDesktop ? WindowOwner::OtherDesktop : WindowOwner::OtherProgram;
}

bool SimSystem::waitForClickTaken(platform::WindowId window, long timeoutMs) {
  record("waitForClickTaken");
  lastClickTimeoutMs = timeoutMs;
  const auto* target = foreignWindow(window);
  return target && target->clickTakesMs <= timeoutMs;
}

std::uint32_t SimSystem::programOf(platform::WindowId window) const {
  if (window == 0x7FFF) return 99;  // another program came to the front
  const auto* target = foreignWindow(window);
  return target ? target->program : 0;
}

platform::System::WindowName SimSystem::windowName(platform::WindowId window) const {
  const auto* target = foreignWindow(window);
  if (!target) return {};
  return {target->programFile, target->title};
}

namespace {
std::optional<std::u16string> NextAnswer(std::deque<std::optional<std::u16string>>& answers) {
  if (answers.empty()) throw std::logic_error("a dialog appeared that the test did not expect");
  auto answer = answers.front();
  answers.pop_front();
  return answer;
}
}  // namespace

bool SimSystem::showFileDialog(platform::FileDialogRecord& record) {
  shownDialogs.push_back(record);
  const auto answer = NextAnswer(dialogAnswers);
  if (!answer) return false;
  record.fileName = *answer;
  const auto slash = answer->find_last_of(u"\\/");
  record.fileTitle = slash == std::u16string::npos ? *answer : answer->substr(slash + 1);
  const auto dot = answer->find_last_of(u'.');
  record.fileExtOffset = dot == std::u16string::npos ? 0 : static_cast<int>(dot + 1);
  return true;
}

std::optional<std::u16string> SimSystem::browseForFolder(std::u16string_view) { return NextAnswer(dialogAnswers); }

long SimSystem::fileAttributes(std::u16string_view path) const {
  std::error_code error;
  const auto status = std::filesystem::status(NativePath(path), error);
  if (error || !std::filesystem::exists(status)) return -1;
  return std::filesystem::is_directory(status) ? 0x10 : 0x20;
}

std::optional<std::string> SimSystem::readFileStart(std::u16string_view path, std::size_t maxBytes) const {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(maxBytes, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

void SimSystem::emptyClipboard() {
  record("emptyClipboard");
  clipboard.clear();
}

void SimSystem::shellOpen(platform::WindowId, std::u16string_view address) {
  record("shellOpen(" + NativePath(address) + ")");
}

double SimSystem::randomUnit() {
  if (randomDraws.empty()) return 0.5;
  const double draw = randomDraws.front();
  randomDraws.pop_front();
  return draw;
}

}  // namespace tessarin::sim
