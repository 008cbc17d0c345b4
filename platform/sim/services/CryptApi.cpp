// The certificate-store calls over the machine's stores.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/sim/services/CertStore.h"
#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/WideText.h"

using wavorel::sim::Certificate;
using wavorel::sim::CertStore;

HCERTSTORE CertOpenSystemStore(HCRYPTPROV_LEGACY, LPCSTR szSubsystemProtocol) {
  if (!szSubsystemProtocol || !*szSubsystemProtocol) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<wavorel::sim::WorldCertificate> world;
  {
    std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
    if (wavorel::sim::Machine* m = wavorel::sim::machineIfLoaded()) world = m->world().certificates;
  }
  CertStore& t = CertStore::table();
  std::lock_guard<std::mutex> lock(t.mutex());
  return t.open(szSubsystemProtocol, world);
}

PCCERT_CONTEXT CertEnumCertificatesInStore(HCERTSTORE hCertStore, PCCERT_CONTEXT pPrevCertContext) {
  CertStore& t = CertStore::table();
  std::lock_guard<std::mutex> lock(t.mutex());
  bool known = false;
  PCCERT_CONTEXT next = t.next(hCertStore, pPrevCertContext, known);
  if (!next) SetLastError(known ? static_cast<DWORD>(CRYPT_E_NOT_FOUND) : ERROR_INVALID_HANDLE);
  return next;
}

PCCERT_CONTEXT CertDuplicateCertificateContext(PCCERT_CONTEXT pCertContext) {
  CertStore& t = CertStore::table();
  std::lock_guard<std::mutex> lock(t.mutex());
  Certificate* c = t.find(pCertContext);
  if (!c) return nullptr;
  t.addReference(*c);
  return pCertContext;
}

BOOL CertFreeCertificateContext(PCCERT_CONTEXT pCertContext) {
  CertStore& t = CertStore::table();
  std::lock_guard<std::mutex> lock(t.mutex());
  if (Certificate* c = t.find(pCertContext)) t.release(*c);
  return TRUE;
}

BOOL CertCloseStore(HCERTSTORE hCertStore, DWORD dwFlags) {
  if (!hCertStore) return TRUE;
  CertStore& t = CertStore::table();
  std::lock_guard<std::mutex> lock(t.mutex());
  bool pending = false;
  if (!t.close(hCertStore, pending)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (pending && (dwFlags & CERT_CLOSE_STORE_CHECK_FLAG)) {
    SetLastError(static_cast<DWORD>(CRYPT_E_PENDING_CLOSE));
    return FALSE;
  }
  return TRUE;
}

DWORD CertGetNameString(PCCERT_CONTEXT pCertContext, DWORD dwType, DWORD dwFlags, void*, LPSTR pszNameString,
                        DWORD cchNameString) {
  std::string name;
  {
    CertStore& t = CertStore::table();
    std::lock_guard<std::mutex> lock(t.mutex());
    Certificate* c = t.find(pCertContext);
    bool issuer = (dwFlags & CERT_NAME_ISSUER_FLAG) != 0;
    if (c && (dwType == CERT_NAME_SIMPLE_DISPLAY_TYPE || dwType == CERT_NAME_FRIENDLY_DISPLAY_TYPE)) {
      name = issuer ? c->issuer : c->subject;
      // The friendly name property stands for the subject's display name.
      if (dwType == CERT_NAME_FRIENDLY_DISPLAY_TYPE && !issuer && !c->friendlyName.empty())
        name = wavorel::utf16ToUtf8(c->friendlyName.c_str(), c->friendlyName.size());
    }
  }
  DWORD needed = static_cast<DWORD>(name.size() + 1);
  if (!pszNameString || cchNameString == 0) return needed;
  DWORD copied = std::min<DWORD>(needed - 1, cchNameString - 1);
  std::memcpy(pszNameString, name.data(), copied);
  pszNameString[copied] = '\0';
  return copied + 1;
}

BOOL CertGetCertificateContextProperty(PCCERT_CONTEXT pCertContext, DWORD dwPropId, void* pvData,
                                       DWORD* pcbData) {
  std::vector<BYTE> value;
  {
    CertStore& t = CertStore::table();
    std::lock_guard<std::mutex> lock(t.mutex());
    Certificate* c = t.find(pCertContext);
    if (!c || !pcbData) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    if (dwPropId == CERT_SHA1_HASH_PROP_ID && c->hashReadable) {
      value.assign(c->sha1.begin(), c->sha1.end());
    } else if (dwPropId == CERT_FRIENDLY_NAME_PROP_ID && !c->friendlyName.empty()) {
      const auto* p = reinterpret_cast<const BYTE*>(c->friendlyName.c_str());
      value.assign(p, p + (c->friendlyName.size() + 1) * sizeof(char16_t));
    } else {
      SetLastError(static_cast<DWORD>(CRYPT_E_NOT_FOUND));
      return FALSE;
    }
  }
  DWORD room = *pcbData;
  *pcbData = static_cast<DWORD>(value.size());
  if (!pvData) return TRUE;
  if (room < value.size()) {
    SetLastError(ERROR_MORE_DATA);
    return FALSE;
  }
  std::memcpy(pvData, value.data(), value.size());
  return TRUE;
}
