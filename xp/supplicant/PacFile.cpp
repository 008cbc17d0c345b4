#include "xp/supplicant/PacFile.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/wire/Bytes.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/PortManager.h"
#include "xp/supplicant/SupplicantRegistry.h"

namespace {

constexpr size_t kAidSize = 128;
constexpr size_t kAidInfoSize = 128;

// Ends a request whose library call failed: only an ignored answer still
// waits for acCredComplete.
void EndFailed(_PM_PORT* port, AC_CRED_REQUEST& r, int status) {
  if (status == AC_ERR_ANSWER_IGNORED) acCredComplete(port->Handle, &r);
}

// The profile's PAC path; an empty one becomes the default path, stored in
// the driver key and, for a stored profile, in its station profile key.
CString ProfilePacPath(_PROFILE_DATA& profile) {
  CString path(profile.PACFilePath, static_cast<int>(strnlen(profile.PACFilePath, sizeof profile.PACFilePath)));
  if (!path.IsEmpty()) return path;
  path = GetPacFilePath();
  if (path.IsEmpty()) return path;
  std::snprintf(profile.PACFilePath, sizeof profile.PACFilePath, "%s", static_cast<LPCSTR>(path));
  WriteSupplicantTexts({"PACFilePath"}, path, "RegSetValueEx REGSTR_PROFILE_PAC_FILE_PATH '%s' failed\n",
                       profile.UseBssid == 0);
  return path;
}

BOOL WritePacFile(const CString& path, const PAC_RECORD& record) {
  BYTE bytes[kPacFileSize];
  FormatPacFile(record, bytes);
  const CString temporary = path + ".tmp";
  FILE* file = fopen(temporary, "wb");
  if (!file) return FALSE;
  const size_t written = std::fwrite(bytes, 1, sizeof bytes, file);
  const bool closed = std::fclose(file) == 0;
  if (written < sizeof bytes || !closed || !MoveFileEx(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
    DeleteFile(temporary);
    return FALSE;
  }
  return TRUE;
}

// Reads one part of a provisioned PAC into the record's data area: its
// length must fit what is left of the 1024 bytes, else it is dropped.
int ReadPacPart(int (*read)(AC_HANDLE, const AC_CRED_REQUEST*, uint8_t*, uint32_t, uint32_t*), _PM_PORT* port,
                AC_CRED_REQUEST& r, PAC_RECORD& record, size_t& used, uint32_t& length) {
  const size_t room = kPacDataSize - used;
  length = 0;
  const int status = read(port->Handle, &r, record.Data + used, static_cast<uint32_t>(room), &length);
  if (IsAcFailure(status)) return status;
  if (length > room) {
    std::printf("PAC: a part of %u bytes does not fit the %zu bytes left; not stored\n", length, room);
    length = 0;
    return AC_ERR_BUFFER_TOO_SMALL;
  }
  used += length;
  return AC_OK;
}

}  // namespace

BOOL ParsePacFile(const BYTE* bytes, size_t size, PAC_RECORD& out) {
  if (!bytes || size < kPacFileSize) return FALSE;
  uint64_t total = 0;
  uint32_t lengths[4];
  for (int i = 0; i < 4; ++i) {
    lengths[i] = wavorel::wire::getU32(bytes + 4 * i);
    if (lengths[i] > kPacDataSize) return FALSE;
    total += lengths[i];
  }
  if (total > kPacDataSize) return FALSE;
  out.AidLength = lengths[0];
  out.IidLength = lengths[1];
  out.KeyLength = lengths[2];
  out.OpaqueLength = lengths[3];
  std::memcpy(out.Data, bytes + kPacHeaderSize, kPacDataSize);
  return TRUE;
}

void FormatPacFile(const PAC_RECORD& record, BYTE out[kPacFileSize]) {
  std::memset(out, 0, kPacFileSize);
  const uint32_t lengths[] = {record.AidLength, record.IidLength, record.KeyLength, record.OpaqueLength};
  for (int i = 0; i < 4; ++i) wavorel::wire::putU32(out + 4 * i, lengths[i]);
  uint64_t total = uint64_t{lengths[0]} + lengths[1] + lengths[2] + lengths[3];
  if (total > kPacDataSize) total = kPacDataSize;
  std::memcpy(out + kPacHeaderSize, record.Data, static_cast<size_t>(total));
}

BOOL SelectPac(const BYTE* bytes, size_t size, const BYTE* aid, size_t aidLength, const char* iid,
               size_t iidLength, PAC_RECORD& out) {
  PAC_RECORD record;
  if (!ParsePacFile(bytes, size, record)) return FALSE;
  if (record.AidLength != aidLength || std::memcmp(record.Aid(), aid, aidLength) != 0) return FALSE;
  if (record.IidLength != iidLength || std::memcmp(record.Iid(), iid, iidLength) != 0) return FALSE;
  out = record;
  return TRUE;
}

size_t ExpectedIid(const char* identity, size_t size, size_t* start) {
  size_t end = strnlen(identity, size);
  if (const void* at = std::memchr(identity, '@', end)) end = static_cast<size_t>(static_cast<const char*>(at) - identity);
  *start = 0;
  if (const void* slash = std::memchr(identity, '\\', end))
    *start = static_cast<size_t>(static_cast<const char*>(slash) - identity) + 1;
  return end - *start;
}

BOOL IsSafeProfileName(const char* name) {
  return name && name[0] && !std::strpbrk(name, "\\/") && !std::strstr(name, "..");
}

CString GetPacFilePath() {
  char folder[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectory(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return CString();
  const _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  CString path;
  if (profile && profile->UseBssid == 1) {
    path.Format("%s\\current.pac", folder);
    return path;
  }
  const std::string name = ReadCurProfileName();
  if (!IsSafeProfileName(name.c_str())) return CString();
  path.Format("%s\\%s.pac", folder, name.c_str());
  return path;
}

void StorePac(_PM_PORT* port, AC_CRED_REQUEST& r) {
  PAC_RECORD record;
  size_t used = 0;
  int status = ReadPacPart(acCredGetEapFASTPacAID, port, r, record, used, record.AidLength);
  if (status == AC_OK) status = ReadPacPart(acCredGetEapFASTPacIID, port, r, record, used, record.IidLength);
  if (status == AC_OK) status = ReadPacPart(acCredGetEapFASTPacKey, port, r, record, used, record.KeyLength);
  if (status == AC_OK) status = ReadPacPart(acCredGetEapFASTPacOpaque, port, r, record, used, record.OpaqueLength);
  if (status != AC_OK) {
    EndFailed(port, r, status);
    return;
  }
  _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  const CString path = profile ? ProfilePacPath(*profile) : GetPacFilePath();
  char info[kAidInfoSize] = {};
  if (acCredGetEapFASTPacAIDInfo(port->Handle, &r, info, sizeof info) != AC_OK)
    std::snprintf(info, sizeof info, "%s", "<UNKNOWN>");
  uint32_t type = 0;
  int64_t expires = 0;
  acCredGetEapFASTPacType(port->Handle, &r, &type);
  acCredGetEapFASTPacLifeTime(port->Handle, &r, &expires);
  const time_t when = static_cast<time_t>(expires);
  char stamp[64] = "";
  if (const struct tm* local = localtime(&when)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", local);
  std::printf("PAC: \"%s\" type %u expires %s\n", info, type, stamp);
  if (!path.IsEmpty()) WritePacFile(path, record);
  acCredComplete(port->Handle, &r);
}

void LoadPac(_PM_PORT* port, AC_CRED_REQUEST& r) {
  uint8_t aid[kAidSize] = {};
  uint32_t aidLength = 0;
  const int status = acCredGetEapFASTAID(port->Handle, &r, aid, sizeof aid, &aidLength);
  if (IsAcFailure(status)) {
    EndFailed(port, r, status);
    return;
  }
  if (aidLength > sizeof aid) aidLength = sizeof aid;
  const PM_PORT_CONFIG& c = port->Config;
  size_t iidStart = 0;
  const size_t iidLength = ExpectedIid(c.OuterIdentityText, sizeof c.OuterIdentityText, &iidStart);
  const char* iid = c.OuterIdentityText + iidStart;

  const _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  const CString path = profile ? CString(profile->PACFilePath, static_cast<int>(strnlen(
                                                                  profile->PACFilePath, sizeof profile->PACFilePath)))
                               : CString();
  PAC_RECORD record;
  bool found = false;
  if (!path.IsEmpty()) {
    if (FILE* file = fopen(path, "rb")) {
      BYTE bytes[kPacFileSize];
      const size_t got = std::fread(bytes, 1, sizeof bytes, file);
      std::fclose(file);
      if (got < sizeof bytes)
        DeleteFile(path);
      else
        found = SelectPac(bytes, got, aid, aidLength, iid, iidLength, record);
    }
  }
  AC_OBJECT pac = 0;
  if (found && acEapFASTPacCreate(&pac, record.Key(), record.KeyLength, record.Opaque(), record.OpaqueLength) != AC_OK)
    pac = 0;
  if (pac)
    std::printf("PAC: loading file \"%s\"\n", static_cast<LPCSTR>(path));
  else
    std::printf("PAC: provisioning IID \"%.*s\"\n", static_cast<int>(iidLength), iid);
  acCredEapFASTPac(port->Handle, &r, pac);
  acCredComplete(port->Handle, &r);
  if (pac) acEapFASTPacDestroy(pac);
}

void RemovePacFile() {
  const CString path = GetPacFilePath();
  if (!path.IsEmpty()) DeleteFile(path);
}
