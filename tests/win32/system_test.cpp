// System services: files, sounds and where their library comes from, random numbers, key state
// and layout, the pointer, delivery into a window, the clipboard, the Print Screen hook and the
// common dialogs.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "contract/profile_contract.h"
#include "fixture.h"
#include "platform/common/utf8.h"
#include "platform/win32/system.h"
#include "platform/win32/win32_error.h"

namespace tessarin::platform::win32 {
namespace {

class SystemTest : public Win32Test {
 protected:
  Win32System system;
};

std::u16string u16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

TEST_F(SystemTest, ProgramDirectoryHoldsTheRunningExecutable) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::filesystem::path exe(path);
  const std::u16string dir = system.programDirectory();
  EXPECT_EQ(dir, u16(exe.parent_path().wstring()));
  EXPECT_NE(dir.back(), u'\\');
  EXPECT_TRUE(system.fileExists(dir + u"\\" + u16(exe.filename().wstring())));
}

TEST_F(SystemTest, FileTestsSeeFilesFoldersAndTheirAbsence) {
  const std::u16string dir = contract::contractTempDir();
  const std::u16string file = dir + u"\\layout.lng";
  std::ofstream(std::filesystem::path(file)) << "0123456789";

  EXPECT_TRUE(system.fileExists(file));
  EXPECT_TRUE(system.fileExists(dir + u"\\*.lng"));
  EXPECT_FALSE(system.fileExists(dir));  // a folder is not what a file search finds
  EXPECT_FALSE(system.fileExists(dir + u"\\missing.lng"));
  EXPECT_FALSE(system.fileExists(u""));

  EXPECT_TRUE(system.fileAttributes(dir) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(system.fileAttributes(file) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(system.fileAttributes(dir + u"\\missing.lng"), -1);

  EXPECT_EQ(system.readFileStart(file, 4), std::optional<std::string>("0123"));
  EXPECT_EQ(system.readFileStart(file, 100), std::optional<std::string>("0123456789"));
  EXPECT_EQ(system.readFileStart(dir + u"\\missing.lng", 4), std::nullopt);
}

// A settings file the system refuses to open for writing says why in the system's words. (The
// read-only attribute would do on Windows, but Wine maps it to the file's mode bits, which do
// not bind the root user the tests may run as; a folder in the file's place is refused to
// everyone.)
TEST_F(SystemTest, AWriteThatTheSystemRefusesGivesTheSystemsReason) {
  const std::u16string file = contract::contractTempDir() + u"\\refused.ini";
  contract::makeContractFolder(file);
  const auto why = system.writeProfileString(file, u"Settings", u"Beep on Hover", u"True");
  ASSERT_TRUE(why.has_value());
  EXPECT_EQ(*why, common::Utf8ToUtf16(windowsCategory().message(ERROR_ACCESS_DENIED))) << "the system's own text";
}

TEST_F(SystemTest, SoundsThatCannotBePlayedReturnPromptly) {
  const std::u16string dir = contract::contractTempDir();
  std::ofstream(std::filesystem::path(dir + u"\\empty.wav"));
  std::ofstream(std::filesystem::path(dir + u"\\text.wav")) << "not a sound at all";
  // Each falls back to the system's default sound and returns promptly: none may hang or crash.
  for (const char16_t* name : {u"\\empty.wav", u"\\text.wav", u"\\missing.wav"}) {
    const ULONGLONG start = GetTickCount64();
    system.playSoundSync(dir + name);
    EXPECT_LT(GetTickCount64() - start, 5000u) << "playing took too long";
  }
}

// Runs sound_probe.exe from a folder of its own with a planted winmm.dll beside it, with Wine
// told to prefer a library beside the program over its own, as Windows' search order does (in
// Wine's settings for that program: WINEDLLOVERRIDES is read from the environment Wine itself
// was started with, not from the one a program hands its child). Returns what the probe
// printed (key=value lines).
std::map<std::string, std::string> probeWithPlantedSoundLibrary(const wchar_t* mode) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::filesystem::path built = std::filesystem::path(self).parent_path();
  const std::filesystem::path folder = std::filesystem::path(contract::contractTempDir()) / mode;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(built / "sound_probe.exe", folder / "sound_probe.exe");
  std::filesystem::copy_file(built / "planted" / "winmm.dll", folder / "winmm.dll");

  const wchar_t* const kWineSettings = L"Software\\Wine\\AppDefaults\\sound_probe.exe";
  const wchar_t kNativeFirst[] = L"native,builtin";
  EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kWineSettings) + L"\\DllOverrides").c_str(), L"winmm",
                            REG_SZ, kNativeFirst, sizeof kNativeFirst),
            ERROR_SUCCESS);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + (folder / "sound_probe.exe").wstring() + L"\" " + mode;
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      folder.wstring().c_str(), &startup, &process);
  CloseHandle(writeEnd);
  std::map<std::string, std::string> printed;
  if (!started) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kWineSettings);
    ADD_FAILURE() << "sound_probe.exe did not start: " << GetLastError();
    CloseHandle(readEnd);
    return printed;
  }
  std::string output;
  char chunk[512];
  DWORD read = 0;
  while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read) output.append(chunk, read);
  CloseHandle(readEnd);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  RegDeleteTreeW(HKEY_CURRENT_USER, kWineSettings);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u) << "the probe ended abnormally (0xc06d007f: a library lacked a function)";
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (const std::size_t equals = line.find('='); equals != std::string::npos)
      printed[line.substr(0, equals)] = line.substr(equals + 1);
    start = end + 1;
  }
  printed["marker"] = std::filesystem::exists(folder / "planted-winmm-was-loaded") ? "yes" : "no";
  return printed;
}

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TEST_F(SystemTest, ASoundLibraryPlantedBesideTheProgramIsNotLoadedAndALackingOneIsReported) {
  // As the program starts: the first beep takes the system's library, not the planted one.
  auto restricted = probeWithPlantedSoundLibrary(L"restricted");
  EXPECT_EQ(restricted["marker"], "no") << "the planted library was loaded";
  EXPECT_NE(lowerCase(restricted["loaded"]).find("\\system32\\winmm.dll"), std::string::npos) << restricted["loaded"];
  EXPECT_NE(restricted["outcome"], "error") << restricted["what"];

  // Without the restriction the planted library is taken (so the setting above stands in for
  // Windows), and its missing function is the system's error, not the end of the program.
  auto open = probeWithPlantedSoundLibrary(L"open");
  EXPECT_EQ(open["marker"], "yes");
  EXPECT_EQ(open["outcome"], "error");
  EXPECT_EQ(open["code"], std::to_string(ERROR_PROC_NOT_FOUND));
  EXPECT_NE(open["what"].find("winmm.dll sndPlaySoundW"), std::string::npos) << open["what"];
}

TEST_F(SystemTest, RandomUnitsAreSpreadOverZeroToOne) {
  std::set<double> seen;
  double sum = 0;
  for (int i = 0; i < 1000; ++i) {
    const double value = system.randomUnit();
    ASSERT_GE(value, 0.0);
    ASSERT_LT(value, 1.0);
    seen.insert(value);
    sum += value;
  }
  EXPECT_EQ(seen.size(), 1000u);
  EXPECT_NEAR(sum / 1000, 0.5, 0.05);
}

TEST_F(SystemTest, KeyStateAndLayoutCharacters) {
  {
    HeldKeys shift({VK_SHIFT});
    EXPECT_LT(system.keyState(VK_SHIFT), 0);
  }
  EXPECT_GE(system.keyState(VK_SHIFT), 0);
  if (LOWORD(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0))) != 0x0409) GTEST_SKIP() << "needs the US layout";
  EXPECT_EQ(system.layoutCharacters('A', false), u"a");
  EXPECT_EQ(system.layoutCharacters('A', true), u"A");
  EXPECT_EQ(system.layoutCharacters('1', true), u"!");
  EXPECT_EQ(system.layoutCharacters(VK_OEM_1, false), u";");
  // Reading leaves no state behind: the same answer again.
  EXPECT_EQ(system.layoutCharacters(VK_OEM_7, true), u"\"");
  EXPECT_EQ(system.layoutCharacters(VK_OEM_7, true), u"\"");
}

TEST_F(SystemTest, PointerAndWindowsUnderIt) {
  auto form = shownForm();
  CommandButton& button = form->addButton({});
  button.setBounds({300, 300, 1500, 600});
  const PixelRect rect = button.screenRect();
  const PixelPoint middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  system.setCursorPos(middle);
  EXPECT_EQ(system.cursorPos().x, middle.x);
  EXPECT_EQ(system.cursorPos().y, middle.y);
  EXPECT_EQ(system.windowFromPoint(middle), button.id());

  auto other = shownForm();
  EXPECT_EQ(system.foregroundWindow(), other->id());
  system.bringToFront(button.id());
  EXPECT_EQ(system.foregroundWindow(), form->id());
}

TEST_F(SystemTest, ASyntheticClickLandsUnderThePointer) {
  auto form = shownForm();
  CommandButton& button = form->addButton({});
  button.setBounds({300, 300, 1500, 600});
  int clicks = 0;
  button.onClick = [&] { ++clicks; };
  const PixelRect rect = button.screenRect();
  system.setCursorPos({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  system.clickLeft();
  EXPECT_TRUE(pumpUntil([&] { return clicks == 1; }));
}

TEST_F(SystemTest, EmptyingTheClipboardRemovesItsText) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4 * sizeof(wchar_t));
  wcscpy(static_cast<wchar_t*>(GlobalLock(text)), L"abc");
  GlobalUnlock(text);
  SetClipboardData(CF_UNICODETEXT, text);
  CloseClipboard();
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  system.emptyClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(SystemTest, ShowCursorMovesTheDisplayCounter) {
  system.showCursor(false);
  EXPECT_EQ(ShowCursor(TRUE), 0);  // back from -1
  system.showCursor(true);
  EXPECT_EQ(ShowCursor(FALSE), 0);  // back from 1
}

// Records the keys a hook installed before ours still sees.
std::vector<DWORD> earlierHookSaw;

LRESULT CALLBACK earlierHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == WM_KEYDOWN) {
    earlierHookSaw.push_back(reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void sendKey(WORD key) {
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = key;
  inputs[1] = inputs[0];
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

TEST_F(SystemTest, PrintScreenHookSwallowsOnlyPrintScreen) {
  earlierHookSaw.clear();
  HHOOK earlier = SetWindowsHookExW(WH_KEYBOARD_LL, &earlierHook, GetModuleHandleW(nullptr), 0);
  ASSERT_NE(earlier, nullptr);
  const std::uintptr_t hook = system.installPrintScreenHook();
  ASSERT_NE(hook, 0u);
  sendKey(VK_SNAPSHOT);
  sendKey(VK_F13);
  const bool sawF13 = pumpUntil([] { return !earlierHookSaw.empty() && earlierHookSaw.back() == VK_F13; });
  system.removePrintScreenHook(hook);
  sendKey(VK_SNAPSHOT);
  const bool sawSnapshotAfterRemoval = pumpUntil([] { return earlierHookSaw.back() == VK_SNAPSHOT; });
  UnhookWindowsHookEx(earlier);
  EXPECT_TRUE(sawF13);
  EXPECT_TRUE(sawSnapshotAfterRemoval);
  EXPECT_EQ(earlierHookSaw, (std::vector<DWORD>{VK_F13, VK_SNAPSHOT}));
}

TEST_F(SystemTest, CancelledDialogsLeaveTheRecordAlone) {
  FileDialogRecord record;
  record.filter = std::u16string(u"Layouts (*.lng)\0*.lng\0\0", 23);
  record.fileName = u"start.lng";
  record.title = u"Pick one";
  answerNextDialog(IDCANCEL);
  EXPECT_FALSE(system.showFileDialog(record));
  EXPECT_EQ(record.fileName, u"start.lng");
  EXPECT_EQ(record.filterIndex, 1);
  answerNextDialog(IDCANCEL);
  EXPECT_EQ(system.browseForFolder(u"Pick one"), std::nullopt);
}

}  // namespace
}  // namespace tessarin::platform::win32
