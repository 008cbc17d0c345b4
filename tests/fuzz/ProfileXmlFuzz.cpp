// libFuzzer target for the WLAN profile builder: the input fills a profile
// record field by field (a record without an SSID takes the rest of the input
// as the site list it picks from); every document built must be well-formed
// XML to libxml2.
#include <libxml/parser.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "worker/WlanProfileXml.h"
#include "worker/WorkerGlobals.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  BYTE byte() { return at_ < size_ ? data_[at_++] : 0; }
  DWORD word() { return static_cast<DWORD>(byte()) | static_cast<DWORD>(byte()) << 8; }
  void bytes(void* out, size_t count) {
    const size_t n = std::min(count, size_ - at_);
    if (n) std::memcpy(out, data_ + at_, n);
    at_ += n;
  }
  template <size_t N>
  void text(char (&field)[N]) {
    bytes(field, std::min<size_t>(byte(), N - 1));
  }
  size_t left() const { return size_ - at_; }
  const uint8_t* rest() const { return data_ + at_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void MustBeWellFormed(const std::u16string& text) {
  if (text.empty()) return;
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
  xmlDoc* doc = xmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), "fuzz.xml", "UTF-8",
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) std::abort();
  xmlFreeDoc(doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  _PROFILE_DATA p;
  p.UseBssid = in.byte() % 3;
  p.Ssid.SsidLength = in.byte() % 40;
  in.bytes(p.Ssid.Ssid, std::min<size_t>(p.Ssid.SsidLength, sizeof p.Ssid.Ssid));
  p.NetworkType = in.byte() % 4;
  p.AuthMode = in.byte() % 10;
  p.CipherMode = in.byte() % 8;
  for (NdisKeyBlock& block : p.WepKey) {
    block.resize(in.byte() % 80);
    in.bytes(block.data(), block.size());
  }
  p.WpaPskLength = in.byte() % 70;
  in.bytes(p.WpaPsk, std::min<size_t>(p.WpaPskLength, sizeof p.WpaPsk));
  p.Use8021X = in.byte() % 3;
  p.AuthenProtocol = in.byte() % 3;
  p.TunnelProtocol = in.byte() % 2 ? 26 : 13;
  p.UseSmartCard = in.byte() % 3;
  p.UseServerCert = in.byte() % 3;
  p.ServerCertLen = in.word();
  in.bytes(p.ServerCertData, std::min<size_t>(p.ServerCertLen, sizeof p.ServerCertData));
  p.ClientCertLen = in.word();
  in.bytes(p.ClientCertData, std::min<size_t>(p.ClientCertLen, sizeof p.ClientCertData));
  in.text(p.Identity);
  in.text(p.TunnelID);
  in.text(p.TunnelPassword);
  in.text(p.ServerName);
  if (p.Ssid.SsidLength == 0) {
    BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
    if (in.left()) std::memcpy(BssidSiteList.get(), in.rest(), std::min<size_t>(in.left(), kBssListSize));
  }
  WLAN_PROFILE_XML out;
  BuildWlanProfileXml(p, out);
  MustBeWellFormed(out.profileXml);
  MustBeWellFormed(out.userXml);
  BssidSiteList.reset();
  return 0;
}
