// CertDesc: one certificate of a system store as the certificate sub-pages
// list it: four display texts, the SHA-1 hash the profile stores, and where
// it came from. The descriptor owns its hash: a copy of a descriptor holds a
// copy of the hash, so a chosen descriptor outlives the list it came from.
//
// GetCertNameText, FillCertDesc and ClearCertDesc (CertText.cpp) read a
// certificate context into a descriptor.
#pragma once

#include <cstring>
#include <memory>
#include <vector>

#include "platform/Platform.h"

constexpr int kCertTextSize = 256;

struct CertDesc {
  char subject[kCertTextSize] = {};
  char issuer[kCertTextSize] = {};
  char expiry[kCertTextSize] = {};
  char friendlyName[kCertTextSize] = {};
  DWORD hashSize = 0;
  std::unique_ptr<BYTE[]> hash;
  DWORD hasFriendlyName = 0;  // 0: the certificate has no friendly name
  DWORD storeFlag = 0;        // 0 the "MY" store, 1 another store

  CertDesc() = default;
  CertDesc(const CertDesc& other) { *this = other; }
  CertDesc(CertDesc&&) noexcept = default;
  CertDesc& operator=(CertDesc&&) noexcept = default;
  CertDesc& operator=(const CertDesc& other) {
    if (this == &other) return *this;
    std::memcpy(subject, other.subject, sizeof subject);
    std::memcpy(issuer, other.issuer, sizeof issuer);
    std::memcpy(expiry, other.expiry, sizeof expiry);
    std::memcpy(friendlyName, other.friendlyName, sizeof friendlyName);
    hash.reset();
    hashSize = 0;
    if (other.hash && other.hashSize) {
      hash = std::make_unique<BYTE[]>(other.hashSize);
      std::memcpy(hash.get(), other.hash.get(), other.hashSize);
      hashSize = other.hashSize;
    }
    hasFriendlyName = other.hasFriendlyName;
    storeFlag = other.storeFlag;
    return *this;
  }

  // TRUE when the hash has `size` bytes equal to `bytes`.
  BOOL HashEquals(const BYTE* bytes, DWORD size) const {
    return hash && hashSize == size && std::memcmp(hash.get(), bytes, size) == 0;
  }
};

// The certificate's subject (or, with `issuer`, its issuer) display name,
// cut to the buffer; the length with its terminator, 0 on failure.
DWORD GetCertNameText(PCCERT_CONTEXT context, BOOL issuer, char (&out)[kCertTextSize]);
// The descriptor of a certificate. When its hash or friendly name cannot be
// read the subject stays empty (the lists leave such a descriptor out).
void FillCertDesc(CertDesc& desc, PCCERT_CONTEXT context, DWORD storeFlag);
// Frees the hash: no hash, size 0.
void ClearCertDesc(CertDesc& desc);
// Every certificate of the system store `name` whose subject could be read,
// appended to `out` (store flag 0 for "MY", else 1). A store that cannot be
// opened adds nothing.
void LoadCertStore(std::vector<CertDesc>& out, LPCSTR name);
