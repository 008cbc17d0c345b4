// The certificate texts of a descriptor: names, expiry, friendly name and
// the SHA-1 hash of a certificate context.
#include <algorithm>
#include <cstring>
#include <vector>

#include "station/profiles/CertDesc.h"
// Not in the umbrella header: the certificate texts are its only user.
#include "platform/win/kernel/DateFormat.h"

namespace {

// `text` into a descriptor field, cut at the field's last byte.
void CopyCut(char (&field)[kCertTextSize], const char* text, size_t length) {
  length = std::min(length, sizeof field - 1);
  std::memcpy(field, text, length);
  field[length] = '\0';
}

// The certificate's end of validity as the user's short date, local time.
void FillExpiry(CertDesc& desc, PCCERT_CONTEXT context) {
  desc.expiry[0] = '\0';
  if (!context->pCertInfo) return;
  FILETIME local{};
  SYSTEMTIME date{};
  if (!FileTimeToLocalFileTime(&context->pCertInfo->NotAfter, &local) || !FileTimeToSystemTime(&local, &date))
    return;
  char text[kCertTextSize] = {};
  if (GetDateFormat(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, sizeof text) > 0)
    CopyCut(desc.expiry, text, std::strlen(text));
}

// The friendly-name property (UTF-16 with its terminator) in the system code
// page. FALSE when the property is there but cannot be read.
BOOL FillFriendlyName(CertDesc& desc, PCCERT_CONTEXT context) {
  desc.friendlyName[0] = '\0';
  desc.hasFriendlyName = 0;
  DWORD size = 0;
  if (!CertGetCertificateContextProperty(context, CERT_FRIENDLY_NAME_PROP_ID, nullptr, &size) || size == 0)
    return TRUE;
  std::vector<WCHAR> name((size + sizeof(WCHAR) - 1) / sizeof(WCHAR) + 1, 0);
  if (!CertGetCertificateContextProperty(context, CERT_FRIENDLY_NAME_PROP_ID, name.data(), &size)) return FALSE;
  // Up to the first terminator, or every unit when there is none.
  const auto end = std::find(name.begin(), name.begin() + static_cast<long>(size / sizeof(WCHAR)), u'\0');
  const int units = static_cast<int>(end - name.begin());
  desc.hasFriendlyName = 1;
  if (units == 0) return TRUE;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, name.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return TRUE;
  std::vector<char> text(static_cast<size_t>(bytes));
  WideCharToMultiByte(CP_ACP, 0, name.data(), units, text.data(), bytes, nullptr, nullptr);
  CopyCut(desc.friendlyName, text.data(), text.size());
  return TRUE;
}

}  // namespace

DWORD GetCertNameText(PCCERT_CONTEXT context, BOOL issuer, char (&out)[kCertTextSize]) {
  out[0] = '\0';
  const DWORD flags = issuer ? CERT_NAME_ISSUER_FLAG : 0;
  const DWORD needed = CertGetNameString(context, CERT_NAME_FRIENDLY_DISPLAY_TYPE, flags, nullptr, nullptr, 0);
  if (needed == 0) return 0;
  return CertGetNameString(context, CERT_NAME_FRIENDLY_DISPLAY_TYPE, flags, nullptr, out, sizeof out);
}

void FillCertDesc(CertDesc& desc, PCCERT_CONTEXT context, DWORD storeFlag) {
  ClearCertDesc(desc);
  GetCertNameText(context, FALSE, desc.subject);
  GetCertNameText(context, TRUE, desc.issuer);
  DWORD size = 0;
  if (!CertGetCertificateContextProperty(context, CERT_SHA1_HASH_PROP_ID, nullptr, &size) || size == 0) {
    desc.subject[0] = '\0';
    return;
  }
  auto hash = std::make_unique<BYTE[]>(size);
  if (!CertGetCertificateContextProperty(context, CERT_SHA1_HASH_PROP_ID, hash.get(), &size)) {
    desc.subject[0] = '\0';
    return;
  }
  desc.hash = std::move(hash);
  desc.hashSize = size;
  desc.storeFlag = storeFlag;
  FillExpiry(desc, context);
  if (!FillFriendlyName(desc, context)) desc.subject[0] = '\0';
}

void ClearCertDesc(CertDesc& desc) {
  desc.hash.reset();
  desc.hashSize = 0;
}

void LoadCertStore(std::vector<CertDesc>& out, LPCSTR name) {
  const HCERTSTORE store = CertOpenSystemStore(0, name);
  if (!store) return;
  const DWORD storeFlag = _stricmp(name, "MY") != 0 ? 1 : 0;
  for (PCCERT_CONTEXT context = CertEnumCertificatesInStore(store, nullptr); context;
       context = CertEnumCertificatesInStore(store, context)) {
    CertDesc desc;
    FillCertDesc(desc, context, storeFlag);
    if (desc.subject[0] != '\0') out.push_back(std::move(desc));
  }
  CertCloseStore(store, 0);
}
