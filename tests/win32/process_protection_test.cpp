// The process DACL, seen from a second process of the same user: this test program starts a copy
// of itself that closes itself and its main thread, then asks for each right.
#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/process_protection.h"
#include "process_protection_child.h"

namespace tessarin::platform::win32 {

int runClosedProcess(const wchar_t* readyEvent) {
  const auto ready = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(std::wcstoull(readyEvent, nullptr, 10)));
  if (!closeProcessToOtherPrograms()) return 3;
  SetEvent(ready);
  Sleep(60000);  // ended by the test long before
  return 4;
}

namespace {

// Wine's server gives an object's owner READ_CONTROL and WRITE_DAC whatever the DACL says; Windows
// lets an OWNER RIGHTS entry take their place.
bool ownerRightsIgnored() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// WRITE_DAC is the owner's right that the OWNER RIGHTS entry takes away.
void expectWriteDacDenied(bool granted) {
  if (ownerRightsIgnored())
    EXPECT_TRUE(granted) << "Wine now honours OWNER RIGHTS: expect WRITE_DAC denied everywhere";
  else
    EXPECT_FALSE(granted) << "the owner could widen the DACL";
}

class ProcessProtectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    ready_ = CreateEventW(&inherit, TRUE, FALSE, nullptr);
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" " + kClosedProcessSwitch + L" " +
                           std::to_wstring(reinterpret_cast<ULONG_PTR>(ready_));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child_));
    HANDLE either[] = {ready_, child_.hProcess};
    ASSERT_EQ(WaitForMultipleObjects(2, either, FALSE, 30000), WAIT_OBJECT_0) << "the child did not close itself";
  }
  void TearDown() override {
    // The handle from CreateProcess predates the DACL and keeps every right.
    if (child_.hProcess) {
      TerminateProcess(child_.hProcess, 0);
      WaitForSingleObject(child_.hProcess, 10000);
      CloseHandle(child_.hProcess);
      CloseHandle(child_.hThread);
    }
    if (ready_) CloseHandle(ready_);
  }

  // Whether a fresh open with exactly this right succeeds; a refusal must say access denied.
  bool processGrants(DWORD right) const { return opens(OpenProcess(right, FALSE, child_.dwProcessId)); }
  bool threadGrants(DWORD right) const { return opens(OpenThread(right, FALSE, child_.dwThreadId)); }

  HANDLE ready_ = nullptr;
  PROCESS_INFORMATION child_{};

 private:
  static bool opens(HANDLE handle) {
    if (!handle) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
      return false;
    }
    CloseHandle(handle);
    return true;
  }
};

TEST_F(ProcessProtectionTest, OtherProgramsMayOnlyWaitNameAndEndTheProcess) {
  const std::pair<DWORD, const char*> denied[] = {
      {PROCESS_VM_READ, "VM_READ"},       {PROCESS_VM_WRITE, "VM_WRITE"},
      {PROCESS_VM_OPERATION, "VM_OPERATION"}, {PROCESS_CREATE_THREAD, "CREATE_THREAD"},
      {PROCESS_DUP_HANDLE, "DUP_HANDLE"}, {PROCESS_SUSPEND_RESUME, "SUSPEND_RESUME"},
      {PROCESS_QUERY_INFORMATION, "QUERY_INFORMATION"}, {PROCESS_SET_INFORMATION, "SET_INFORMATION"}};
  for (const auto& [right, name] : denied) EXPECT_FALSE(processGrants(right)) << name << " was granted";
  for (const DWORD right : {DWORD{SYNCHRONIZE}, DWORD{PROCESS_QUERY_LIMITED_INFORMATION}, DWORD{READ_CONTROL}})
    EXPECT_TRUE(processGrants(right)) << "right " << std::hex << right << " was denied";
  expectWriteDacDenied(processGrants(WRITE_DAC));

  // Ending it works from a fresh handle, as Task Manager does it.
  HANDLE end = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child_.dwProcessId);
  ASSERT_NE(end, nullptr);
  EXPECT_TRUE(TerminateProcess(end, 7));
  EXPECT_EQ(WaitForSingleObject(end, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(child_.hProcess, &code));
  EXPECT_EQ(code, 7u);
  CloseHandle(end);
}

// What the system enforces rests on this list: exactly the user's three rights and OWNER RIGHTS'
// READ_CONTROL, none inherited or to inherit.
TEST_F(ProcessProtectionTest, TheDaclHoldsExactlyTheTwoEntries) {
  HANDLE reader = OpenProcess(READ_CONTROL, FALSE, child_.dwProcessId);
  ASSERT_NE(reader, nullptr);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(GetSecurityInfo(reader, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                            &descriptor),
            static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(reader);
  ASSERT_NE(dacl, nullptr);
  ASSERT_EQ(dacl->AceCount, 2);

  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  BYTE user[256];
  DWORD size = 0;
  ASSERT_TRUE(GetTokenInformation(token, TokenUser, user, sizeof user, &size));
  CloseHandle(token);
  BYTE ownerRights[SECURITY_MAX_SID_SIZE];
  size = sizeof ownerRights;
  ASSERT_TRUE(CreateWellKnownSid(WinCreatorOwnerRightsSid, nullptr, ownerRights, &size));

  const std::pair<PSID, DWORD> expected[] = {
      {reinterpret_cast<TOKEN_USER*>(user)->User.Sid, SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE},
      {ownerRights, READ_CONTROL}};
  for (DWORD i = 0; i < 2; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
    EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ(ace->Header.AceFlags, 0) << "entry " << i << " is inherited or inheritable";
    EXPECT_TRUE(EqualSid(&ace->SidStart, expected[i].first)) << "entry " << i;
    EXPECT_EQ(ace->Mask, expected[i].second) << "entry " << i;
  }
  LocalFree(descriptor);
}

TEST_F(ProcessProtectionTest, ItsMainThreadCannotBeSuspendedOrRedirected) {
  for (const DWORD right : {DWORD{THREAD_SUSPEND_RESUME}, DWORD{THREAD_GET_CONTEXT}, DWORD{THREAD_SET_CONTEXT},
                            DWORD{THREAD_QUERY_INFORMATION}, DWORD{THREAD_SET_INFORMATION}})
    EXPECT_FALSE(threadGrants(right)) << "right " << std::hex << right << " was granted";
  expectWriteDacDenied(threadGrants(WRITE_DAC));
  EXPECT_TRUE(threadGrants(SYNCHRONIZE));
  EXPECT_TRUE(threadGrants(THREAD_QUERY_LIMITED_INFORMATION));
}

}  // namespace
}  // namespace tessarin::platform::win32
