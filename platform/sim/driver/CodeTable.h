// The driver's code table: every number a caller may send, in every numbering
// (the standard NDIS numbers, the private codes of both builds, and the sets
// of the Vista station module whose top byte is 0xFF), bound to the one
// handler of its canonical code. A set is the query number with bit
// 0x00800000. Where one number serves two records, the data size tells them
// apart.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wavorel::sim {

class Adapter;

constexpr uint32_t kSetFlag = 0x00800000u;
constexpr uint32_t kStationSetFlags = 0xFF800000u;

// One request as a handler sees it. For a set `buffer` holds the caller's data;
// for a query the handler writes its answer there (it may read what the
// caller put there first, as the register code does).
struct OidRequest {
  Adapter& adapter;
  bool set;
  uint8_t* buffer;
  uint32_t size;
  uint32_t returned = 0;  // bytes answered, or needed on ERROR_INSUFFICIENT_BUFFER
};

// Returns a Win32 error code, 0 on success.
using OidHandler = std::function<uint32_t(OidRequest&)>;

struct CodeBinding {
  uint32_t number;
  bool set;
  uint32_t size;  // set data size that selects this binding; 0: any
  std::string name;
  OidHandler handler;
};

class CodeTable {
 public:
  static const CodeTable& instance();

  // The binding for a number and data size, or nullptr.
  const CodeBinding* find(uint32_t number, uint32_t size) const;
  bool known(uint32_t number) const;
  const std::vector<CodeBinding>& bindings() const { return bindings_; }

  // Building the table.
  // A standard code: its query number when it can be queried, and its set
  // numbers when it can be set (number | 0x00800000 and the Vista station
  // module's form with the top byte 0xFF).
  enum class Use { Query, Set, Both };
  void standard(const std::string& name, uint32_t number, Use use, OidHandler handler);
  // A private code with its numbers per build (0: the build has none). An XP
  // set number is also bound with its top byte replaced by 0xFF.
  void vendor(const std::string& name, uint32_t vistaQuery, uint32_t vistaSet, uint32_t xpQuery, uint32_t xpSet,
              OidHandler handler, uint32_t setSize = 0);

 private:
  CodeTable();
  void bind(uint32_t number, bool set, uint32_t size, const std::string& name, const OidHandler& handler);

  std::vector<CodeBinding> bindings_;
};

// Handler helpers.
// Copies a query answer, or asks for the size it needs.
uint32_t answer(OidRequest& r, const std::vector<uint8_t>& bytes);
uint32_t answerU32(OidRequest& r, uint32_t value);
// For a set: TRUE when the data holds at least `n` bytes, else sets the error.
bool hasData(OidRequest& r, uint32_t n, uint32_t& error);
// A code whose value the driver keeps: queries read it, sets replace it
// (exactly `size` bytes are kept; more data is accepted and cut).
OidHandler keptValue(int key, std::vector<uint8_t> initial);
OidHandler keptU32(int key, uint32_t initial);

// NDIS_802_11_KEY {Length, KeyIndex, KeyLength, BSSID, 2 pad bytes, KeyRSC,
// key material at 32} and NDIS_802_11_REMOVE_KEY {Length, KeyIndex, BSSID,
// 2 pad bytes}: the index (low byte 0..3, flag bits kept) and the key.
constexpr uint32_t kKeyMaterialOffset = 32;
constexpr uint32_t kRemoveKeySize = 16;
constexpr uint32_t kKeyTransmit = 0x80000000u;
uint32_t readKeyRecord(OidRequest& r, uint32_t& index, std::string& material);
uint32_t readRemoveKeyRecord(OidRequest& r, uint32_t& index);

void addStandardCodes(CodeTable& table);
void addVendorCodes(CodeTable& table);

}  // namespace wavorel::sim
