// Certificate stores of the machine ("MY" and "ROOT", filled from the world
// file): opening, enumerating, names, properties and the life of certificate
// contexts. A certificate's encoded bytes are the machine's own DER-style
// record of its serial number, issuer, end of validity and subject; its SHA-1
// hash property is the SHA-1 of those bytes. The friendly-name property is a
// UTF-16 string with its terminator, as stored by the system.
#pragma once

#include "platform/win/kernel/Types.h"

typedef void* HCERTSTORE;
typedef ULONG_PTR HCRYPTPROV_LEGACY;

#define X509_ASN_ENCODING 0x00000001
#define PKCS_7_ASN_ENCODING 0x00010000

#define CERT_NAME_SIMPLE_DISPLAY_TYPE 4
#define CERT_NAME_FRIENDLY_DISPLAY_TYPE 5
#define CERT_NAME_ISSUER_FLAG 0x1

#define CERT_SHA1_HASH_PROP_ID 3
#define CERT_HASH_PROP_ID CERT_SHA1_HASH_PROP_ID
#define CERT_FRIENDLY_NAME_PROP_ID 11

#define CERT_CLOSE_STORE_CHECK_FLAG 0x00000002

#define CRYPT_E_NOT_FOUND (static_cast<HRESULT>(0x80092004u))
#define CRYPT_E_PENDING_CLOSE (static_cast<HRESULT>(0x8009200Fu))

struct CRYPT_INTEGER_BLOB {
  DWORD cbData;
  BYTE* pbData;
};
typedef CRYPT_INTEGER_BLOB CERT_NAME_BLOB;

// The fields of a certificate the machine fills.
struct CERT_INFO {
  DWORD dwVersion;
  CRYPT_INTEGER_BLOB SerialNumber;
  CERT_NAME_BLOB Issuer;
  FILETIME NotBefore;
  FILETIME NotAfter;
  CERT_NAME_BLOB Subject;
};
typedef CERT_INFO* PCERT_INFO;

struct CERT_CONTEXT {
  DWORD dwCertEncodingType;
  BYTE* pbCertEncoded;
  DWORD cbCertEncoded;
  PCERT_INFO pCertInfo;
  HCERTSTORE hCertStore;
};
typedef const CERT_CONTEXT* PCCERT_CONTEXT;

// The system store of that name (any case): the world's certificates of
// "MY" or "ROOT"; another name opens an empty store.
HCERTSTORE CertOpenSystemStore(HCRYPTPROV_LEGACY hProv, LPCSTR szSubsystemProtocol);
// The certificate after pPrevCertContext (NULL: the first), whose reference it
// takes over and frees; NULL with CRYPT_E_NOT_FOUND after the last.
PCCERT_CONTEXT CertEnumCertificatesInStore(HCERTSTORE hCertStore, PCCERT_CONTEXT pPrevCertContext);
PCCERT_CONTEXT CertDuplicateCertificateContext(PCCERT_CONTEXT pCertContext);
BOOL CertFreeCertificateContext(PCCERT_CONTEXT pCertContext);
// A store lives on while contexts of it are held. With
// CERT_CLOSE_STORE_CHECK_FLAG that case returns FALSE with CRYPT_E_PENDING_CLOSE.
BOOL CertCloseStore(HCERTSTORE hCertStore, DWORD dwFlags);
// The name's length with its terminator; with no buffer (or a size of 0) the
// size needed. A longer name is cut to the buffer and terminated. Another name
// type gives an empty name (1).
DWORD CertGetNameString(PCCERT_CONTEXT pCertContext, DWORD dwType, DWORD dwFlags, void* pvTypePara,
                        LPSTR pszNameString, DWORD cchNameString);
// With no buffer: TRUE and the size; a buffer too small: ERROR_MORE_DATA and
// the size; a property the certificate lacks, or a hash that cannot be read:
// CRYPT_E_NOT_FOUND.
BOOL CertGetCertificateContextProperty(PCCERT_CONTEXT pCertContext, DWORD dwPropId, void* pvData,
                                       DWORD* pcbData);
