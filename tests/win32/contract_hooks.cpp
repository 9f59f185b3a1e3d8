// The profile contract suite runs here against the Win32 profile functions, in a folder of its
// own under the Wine temp path, made afresh for each run and removed at the end.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "contract/profile_contract.h"
#include "platform/win32/system.h"

namespace tessarin::contract {
namespace {

std::filesystem::path makeTempDir() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  auto dir = std::filesystem::path(std::wstring(temp, length)) /
             (L"tessarin-win32-tests-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount64()));
  std::filesystem::create_directories(dir);
  return dir;
}

const std::filesystem::path& tempDir() {
  static const std::filesystem::path dir = makeTempDir();
  return dir;
}

class TempDirCleanup : public ::testing::Environment {
 public:
  void TearDown() override { std::filesystem::remove_all(tempDir()); }
};

const auto* const cleanup = ::testing::AddGlobalTestEnvironment(new TempDirCleanup);

}  // namespace

platform::System& contractSystem() {
  static platform::win32::Win32System system;
  return system;
}

void writeContractFile(std::u16string_view path, std::string_view bytes) {
  HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(std::u16string(path).c_str()), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(written, bytes.size());
}

void makeContractFolder(std::u16string_view path) {
  EXPECT_TRUE(CreateDirectoryW(reinterpret_cast<const wchar_t*>(std::u16string(path).c_str()), nullptr));
}

std::u16string contractTempDir() {
  const std::wstring dir = tempDir().wstring();
  return std::u16string(dir.begin(), dir.end());
}

}  // namespace tessarin::contract
