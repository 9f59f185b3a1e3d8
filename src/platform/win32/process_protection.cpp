#include "platform/win32/process_protection.h"

#include <windows.h>
#include <aclapi.h>

#include <vector>

namespace tessarin::platform::win32 {
namespace {

// Task Manager can still wait for the program, name it and end it.
constexpr DWORD kProcessRightsLeftToTheUser = SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE;
// A thread opened with more could be suspended and pointed at other code.
constexpr DWORD kThreadRightsLeftToTheUser = SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION;

// The user's SID, copied out of the process token.
std::vector<BYTE> userSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> info(size);
  const bool read = size && GetTokenInformation(token, TokenUser, info.data(), size, &size);
  CloseHandle(token);
  if (!read) return {};
  const PSID sid = reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid;
  std::vector<BYTE> copy(GetLengthSid(sid));
  if (!CopySid(static_cast<DWORD>(copy.size()), copy.data(), sid)) return {};
  return copy;
}

// OWNER RIGHTS (S-1-3-4): an entry for it replaces the rights an owner has implicitly (reading
// and changing the DACL), so the owner cannot grant itself the rest.
std::vector<BYTE> ownerRightsSid() {
  SID_IDENTIFIER_AUTHORITY creator = SECURITY_CREATOR_SID_AUTHORITY;
  std::vector<BYTE> sid(GetSidLengthRequired(1));
  if (!InitializeSid(sid.data(), &creator, 1)) return {};
  *GetSidSubAuthority(sid.data(), 0) = SECURITY_CREATOR_OWNER_RIGHTS_RID;
  return sid;
}

// An ACL with exactly these two entries; nobody else gets anything.
std::vector<BYTE> acl(const std::vector<BYTE>& user, DWORD userRights, const std::vector<BYTE>& owner) {
  const DWORD aceBase = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
  const DWORD size = sizeof(ACL) + 2 * aceBase + static_cast<DWORD>(user.size() + owner.size());
  std::vector<BYTE> list(size);
  auto* header = reinterpret_cast<ACL*>(list.data());
  if (!InitializeAcl(header, size, ACL_REVISION) ||
      !AddAccessAllowedAce(header, ACL_REVISION, userRights, const_cast<BYTE*>(user.data())) ||
      !AddAccessAllowedAce(header, ACL_REVISION, READ_CONTROL, const_cast<BYTE*>(owner.data())))
    return {};
  return list;
}

// PROTECTED: nothing is inherited from a parent object.
bool setDacl(HANDLE object, std::vector<BYTE> list) {
  return !list.empty() &&
         SetSecurityInfo(object, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                         nullptr, nullptr, reinterpret_cast<ACL*>(list.data()), nullptr) == ERROR_SUCCESS;
}

}  // namespace

bool closeProcessToOtherPrograms() {
  const auto user = userSid();
  const auto owner = ownerRightsSid();
  if (user.empty() || owner.empty()) return false;
  const bool process = setDacl(GetCurrentProcess(), acl(user, kProcessRightsLeftToTheUser, owner));
  const bool thread = setDacl(GetCurrentThread(), acl(user, kThreadRightsLeftToTheUser, owner));
  return process && thread;
}

}  // namespace tessarin::platform::win32
