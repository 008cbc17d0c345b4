#include "platform/win/kernel/Security.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/ProcessObject.h"
#include "platform/wire/Bytes.h"

namespace {

using SidBytes = std::vector<BYTE>;

constexpr size_t kMaxSubAuthorities = 8;

SidBytes makeSid(BYTE authority, std::initializer_list<DWORD> subAuthorities) {
  SidBytes sid{1, static_cast<BYTE>(subAuthorities.size()), 0, 0, 0, 0, 0, authority};
  for (DWORD s : subAuthorities) {
    sid.resize(sid.size() + 4);
    wavorel::wire::putU32(sid.data() + sid.size() - 4, s);
  }
  return sid;
}

size_t sidLength(const BYTE* sid) { return 8 + 4 * static_cast<size_t>(sid[1]); }

struct Group {
  SidBytes sid;
  DWORD attributes;
};

// The groups of a token of the machine's account, as an interactive logon
// on Vista lists them.
class Token : public wavorel::KernelObject {
 public:
  explicit Token(bool administrator) {
    const DWORD on = SE_GROUP_MANDATORY | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_ENABLED;
    groups_ = {
        {makeSid(5, {21, 1004336348, 1177238915, 682003330, 513}), on},  // None
        {makeSid(1, {0}), on},                                            // Everyone
    };
    if (administrator) groups_.push_back({makeSid(5, {32, 544}), on | SE_GROUP_OWNER});  // Administrators
    groups_.push_back({makeSid(5, {32, 545}), on});                                       // Users
    groups_.push_back({makeSid(5, {4}), on});                                             // INTERACTIVE
    groups_.push_back({makeSid(2, {1}), on});                                             // CONSOLE LOGON
    groups_.push_back({makeSid(5, {11}), on});                                            // Authenticated Users
    groups_.push_back({makeSid(5, {15}), on});                                            // This Organization
    groups_.push_back({makeSid(5, {5, 0, 84371}), static_cast<DWORD>(on | SE_GROUP_LOGON_ID)});  // logon session
    groups_.push_back({makeSid(2, {0}), on});                                             // LOCAL
    groups_.push_back({makeSid(5, {64, 10}), on});                                        // NTLM Authentication
    groups_.push_back({makeSid(16, {administrator ? 12288u : 8192u}),                     // integrity level
                       SE_GROUP_INTEGRITY | SE_GROUP_INTEGRITY_ENABLED});
  }

  // Size of the TOKEN_GROUPS record with its identifiers.
  size_t groupsSize() const {
    size_t n = offsetof(TOKEN_GROUPS, Groups) + groups_.size() * sizeof(SID_AND_ATTRIBUTES);
    for (const auto& g : groups_) n += g.sid.size();
    return n;
  }

  // Writes the record; `out` holds groupsSize() bytes. Written field by field,
  // as the caller's buffer need not be aligned.
  void writeGroups(BYTE* out) const {
    DWORD count = static_cast<DWORD>(groups_.size());
    std::memcpy(out + offsetof(TOKEN_GROUPS, GroupCount), &count, sizeof count);
    BYTE* sids = out + offsetof(TOKEN_GROUPS, Groups) + groups_.size() * sizeof(SID_AND_ATTRIBUTES);
    for (size_t i = 0; i < groups_.size(); ++i) {
      BYTE* entry = out + offsetof(TOKEN_GROUPS, Groups) + i * sizeof(SID_AND_ATTRIBUTES);
      PSID sid = sids;
      std::memcpy(entry + offsetof(SID_AND_ATTRIBUTES, Sid), &sid, sizeof sid);
      std::memcpy(entry + offsetof(SID_AND_ATTRIBUTES, Attributes), &groups_[i].attributes, sizeof(DWORD));
      std::memcpy(sids, groups_[i].sid.data(), groups_[i].sid.size());
      sids += groups_[i].sid.size();
    }
  }

 private:
  std::vector<Group> groups_;
};

// Identifiers handed out by AllocateAndInitializeSid, until FreeSid.
struct Sids {
  std::mutex mutex;
  std::map<const void*, std::unique_ptr<BYTE[]>> owned;
};

Sids& sids() {
  static Sids s;
  return s;
}

}  // namespace

BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD, PHANDLE TokenHandle) {
  if (ProcessHandle != GetCurrentProcess() && !wavorel::kernelObjectAs<wavorel::ProcessObject>(ProcessHandle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!TokenHandle) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  *TokenHandle = wavorel::insertKernelObject(std::make_shared<Token>(wavorel::runningAsAdministrator()));
  return TRUE;
}

BOOL GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass,
                         LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength) {
  auto token = wavorel::kernelObjectAs<Token>(TokenHandle);
  if (!token) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (TokenInformationClass != TokenGroups) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!ReturnLength) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  size_t needed = token->groupsSize();
  *ReturnLength = static_cast<DWORD>(needed);
  if (!TokenInformation || TokenInformationLength < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  token->writeGroups(static_cast<BYTE*>(TokenInformation));
  return TRUE;
}

BOOL AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY pIdentifierAuthority, BYTE nSubAuthorityCount,
                              DWORD nSubAuthority0, DWORD nSubAuthority1, DWORD nSubAuthority2,
                              DWORD nSubAuthority3, DWORD nSubAuthority4, DWORD nSubAuthority5,
                              DWORD nSubAuthority6, DWORD nSubAuthority7, PSID* pSid) {
  if (!pIdentifierAuthority || !pSid || nSubAuthorityCount > kMaxSubAuthorities) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const DWORD sub[kMaxSubAuthorities] = {nSubAuthority0, nSubAuthority1, nSubAuthority2, nSubAuthority3,
                                         nSubAuthority4, nSubAuthority5, nSubAuthority6, nSubAuthority7};
  size_t length = 8 + 4 * static_cast<size_t>(nSubAuthorityCount);
  auto bytes = std::make_unique<BYTE[]>(length);
  bytes[0] = 1;
  bytes[1] = nSubAuthorityCount;
  std::memcpy(&bytes[2], pIdentifierAuthority->Value, 6);
  for (size_t i = 0; i < nSubAuthorityCount; ++i)
    for (int b = 0; b < 4; ++b) bytes[8 + 4 * i + b] = static_cast<BYTE>(sub[i] >> (8 * b));
  *pSid = bytes.get();
  std::lock_guard<std::mutex> lock(sids().mutex);
  sids().owned.emplace(bytes.get(), std::move(bytes));
  return TRUE;
}

PVOID FreeSid(PSID pSid) {
  std::lock_guard<std::mutex> lock(sids().mutex);
  return sids().owned.erase(pSid) ? nullptr : pSid;
}

BOOL EqualSid(PSID pSid1, PSID pSid2) {
  if (!pSid1 || !pSid2) return FALSE;
  auto* a = static_cast<const BYTE*>(pSid1);
  auto* b = static_cast<const BYTE*>(pSid2);
  return sidLength(a) == sidLength(b) && std::memcmp(a, b, sidLength(a)) == 0 ? TRUE : FALSE;
}
