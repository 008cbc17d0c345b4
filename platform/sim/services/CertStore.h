// The open certificate stores: each holds the certificates of its system
// store in the world, built when it opens, with a reference count per
// certificate context. A store goes when it is closed and no context of it
// is held any more. Every member runs under the table's lock.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/services/Crypt.h"
#include "platform/sim/crypto/Sha1.h"
#include "platform/sim/radio/World.h"

namespace wavorel::sim {

struct Certificate {
  CERT_CONTEXT context{};  // first: a context pointer is the certificate's address
  CERT_INFO info{};
  std::vector<BYTE> encoded, serial, subjectBlob, issuerBlob;
  std::string subject, issuer;
  std::u16string friendlyName;
  Sha1Digest sha1{};
  bool hashReadable = true;  // false: the hash property cannot be read
  int references = 0;
};

class CertStore {
 public:
  static CertStore& table();

  HCERTSTORE open(const std::string& name, const std::vector<WorldCertificate>& world);
  // nullptr for a context that is not one of ours.
  Certificate* find(PCCERT_CONTEXT context);
  // The next certificate of the store after `previous` (freed), with a reference.
  PCCERT_CONTEXT next(HCERTSTORE store, PCCERT_CONTEXT previous, bool& storeKnown);
  void addReference(Certificate& c) { ++c.references; }
  void release(Certificate& c);
  // false: not an open store. `pending`: contexts of it are still held.
  bool close(HCERTSTORE store, bool& pending);

  std::mutex& mutex() { return mutex_; }
  void reset();

 private:
  struct Store {
    std::vector<std::unique_ptr<Certificate>> certificates;
    bool open = true;
  };
  void dropIfUnused(Store* store);

  std::mutex mutex_;
  std::map<Store*, std::unique_ptr<Store>> stores_;
  std::map<const CERT_CONTEXT*, Store*> contexts_;
};

}  // namespace wavorel::sim
