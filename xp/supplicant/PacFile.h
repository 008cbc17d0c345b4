// EAP-FAST PAC files: one Protected Access Credential per file of exactly
// 1040 bytes (little-endian): the lengths of the AID, the IID, the PAC key
// and the opaque part (4 bytes each), then the four back to back in 1024
// bytes, the rest zero. The request thread stores a newly provisioned PAC
// (AC_REQ_FAST_PAC_STORE) and answers the library's PAC request from the
// stored one (AC_REQ_FAST_PAC); the status callback removes it when the
// server rejects it. A file is rewritten through a temporary file and a
// rename, never left half-written.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Platform.h"
#include "platform/win/services/AcAuth.h"

struct _PM_PORT;

constexpr size_t kPacFileSize = 1040;
constexpr size_t kPacDataSize = 1024;
constexpr size_t kPacHeaderSize = 16;

struct PAC_RECORD {
  uint32_t AidLength = 0;
  uint32_t IidLength = 0;
  uint32_t KeyLength = 0;
  uint32_t OpaqueLength = 0;
  BYTE Data[kPacDataSize] = {};

  const BYTE* Aid() const { return Data; }
  const BYTE* Iid() const { return Data + AidLength; }
  const BYTE* Key() const { return Data + AidLength + IidLength; }
  const BYTE* Opaque() const { return Data + AidLength + IidLength + KeyLength; }
};

// A file's 1040 bytes as a record: FALSE when any length, or their sum (in
// 64 bits), exceeds the 1024 data bytes.
BOOL ParsePacFile(const BYTE* bytes, size_t size, PAC_RECORD& out);
void FormatPacFile(const PAC_RECORD& record, BYTE out[kPacFileSize]);
// The record read from `bytes` is used only when it is sound and holds the
// server's AID and the expected IID.
BOOL SelectPac(const BYTE* bytes, size_t size, const BYTE* aid, size_t aidLength, const char* iid,
               size_t iidLength, PAC_RECORD& out);
// The IID expected for an outer identity: the text before its first "@",
// and after its first backslash when it has one. Returns its length; the
// bytes are those of `identity` from *start.
size_t ExpectedIid(const char* identity, size_t size, size_t* start);
// A "CurProfile" value that names a file and a subkey of its own: not
// empty, no "\", "/" or "..".
BOOL IsSafeProfileName(const char* name);
// The default PAC path: the current directory and "current.pac" for a
// site-survey profile, else "<CurProfile>.pac"; empty when the name cannot
// be read or is not safe.
CString GetPacFilePath();

// Request thread: store a provisioned PAC / answer a PAC request.
void StorePac(_PM_PORT* port, AC_CRED_REQUEST& request);
void LoadPac(_PM_PORT* port, AC_CRED_REQUEST& request);
// Deletes the file of the default path.
void RemovePacFile();
