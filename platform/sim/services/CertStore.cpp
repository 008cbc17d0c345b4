#include "platform/sim/services/CertStore.h"

#include <strings.h>

#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/Time.h"
#include "platform/win/kernel/WideText.h"

namespace wavorel::sim {

namespace {

const bool g_reset = (registerStateReset([] { CertStore::table().reset(); }), true);

// One DER element: tag, length (short or long form), content.
void element(std::vector<BYTE>& out, BYTE tag, const std::vector<BYTE>& content) {
  out.push_back(tag);
  size_t n = content.size();
  if (n < 0x80) {
    out.push_back(static_cast<BYTE>(n));
  } else {
    std::vector<BYTE> length;
    for (; n; n >>= 8) length.insert(length.begin(), static_cast<BYTE>(n & 0xFF));
    out.push_back(static_cast<BYTE>(0x80 | length.size()));
    out.insert(out.end(), length.begin(), length.end());
  }
  out.insert(out.end(), content.begin(), content.end());
}

std::vector<BYTE> bytes(const std::string& s) { return std::vector<BYTE>(s.begin(), s.end()); }

std::unique_ptr<Certificate> build(const WorldCertificate& w, unsigned serial) {
  auto c = std::make_unique<Certificate>();
  c->subject = w.subject;
  c->issuer = w.issuer;
  c->friendlyName = utf8ToUtf16(w.friendlyName);
  for (unsigned s = serial; s; s >>= 8) c->serial.insert(c->serial.begin(), static_cast<BYTE>(s & 0xFF));
  element(c->subjectBlob, 0x0C, bytes(w.subject));
  element(c->issuerBlob, 0x0C, bytes(w.issuer));
  char time[16];
  std::snprintf(time, sizeof time, "%04d%02d%02d000000Z", w.expires[0], w.expires[1], w.expires[2]);
  std::vector<BYTE> body;
  element(body, 0x02, c->serial);
  body.insert(body.end(), c->issuerBlob.begin(), c->issuerBlob.end());
  element(body, 0x18, bytes(time));
  body.insert(body.end(), c->subjectBlob.begin(), c->subjectBlob.end());
  element(c->encoded, 0x30, body);
  c->sha1 = Sha1::of(c->encoded.data(), c->encoded.size());
  c->hashReadable = w.hashReadable;

  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(w.expires[0]);
  st.wMonth = static_cast<WORD>(w.expires[1]);
  st.wDay = static_cast<WORD>(w.expires[2]);
  SystemTimeToFileTime(&st, &c->info.NotAfter);
  c->info.dwVersion = 2;  // X.509 version 3
  c->info.SerialNumber = {static_cast<DWORD>(c->serial.size()), c->serial.data()};
  c->info.Issuer = {static_cast<DWORD>(c->issuerBlob.size()), c->issuerBlob.data()};
  c->info.Subject = {static_cast<DWORD>(c->subjectBlob.size()), c->subjectBlob.data()};
  c->context.dwCertEncodingType = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
  c->context.pbCertEncoded = c->encoded.data();
  c->context.cbCertEncoded = static_cast<DWORD>(c->encoded.size());
  c->context.pCertInfo = &c->info;
  return c;
}

}  // namespace

CertStore& CertStore::table() {
  static CertStore t;
  return t;
}

HCERTSTORE CertStore::open(const std::string& name, const std::vector<WorldCertificate>& world) {
  auto store = std::make_unique<Store>();
  for (size_t i = 0; i < world.size(); ++i) {
    if (strcasecmp(world[i].store.c_str(), name.c_str()) != 0) continue;
    store->certificates.push_back(build(world[i], static_cast<unsigned>(i + 1)));
    Certificate& c = *store->certificates.back();
    c.context.hCertStore = store.get();
    contexts_[&c.context] = store.get();
  }
  Store* key = store.get();
  stores_[key] = std::move(store);
  return key;
}

Certificate* CertStore::find(PCCERT_CONTEXT context) {
  if (contexts_.count(context) == 0) return nullptr;
  return reinterpret_cast<Certificate*>(const_cast<CERT_CONTEXT*>(context));
}

PCCERT_CONTEXT CertStore::next(HCERTSTORE handle, PCCERT_CONTEXT previous, bool& storeKnown) {
  auto it = stores_.find(static_cast<Store*>(handle));
  storeKnown = it != stores_.end() && it->second->open;
  if (!storeKnown) return nullptr;
  auto& list = it->second->certificates;
  size_t at = 0;
  if (Certificate* prev = previous ? find(previous) : nullptr) {
    while (at < list.size() && list[at].get() != prev) ++at;
    ++at;
    release(*prev);
  }
  if (at >= list.size()) return nullptr;
  addReference(*list[at]);
  return &list[at]->context;
}

void CertStore::release(Certificate& c) {
  if (c.references > 0) --c.references;
  if (c.references == 0) dropIfUnused(contexts_.at(&c.context));
}

bool CertStore::close(HCERTSTORE handle, bool& pending) {
  auto it = stores_.find(static_cast<Store*>(handle));
  if (it == stores_.end() || !it->second->open) return false;
  it->second->open = false;
  pending = false;
  for (auto& c : it->second->certificates) pending = pending || c->references > 0;
  dropIfUnused(it->first);
  return true;
}

void CertStore::dropIfUnused(Store* store) {
  if (store->open) return;
  for (auto& c : store->certificates)
    if (c->references > 0) return;
  for (auto& c : store->certificates) contexts_.erase(&c->context);
  stores_.erase(store);
}

void CertStore::reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  contexts_.clear();
  stores_.clear();
}

}  // namespace wavorel::sim
