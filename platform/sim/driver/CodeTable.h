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
#include <unordered_map>
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
  const std::string& name;  // the code's canonical name; a kept value is stored under it
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
  // The bindings of each number (indices into bindings_, in binding order).
  std::unordered_map<uint32_t, std::vector<size_t>> byNumber_;
};

// Handler helpers.
// Copies a query answer, or asks for the size it needs.
uint32_t answer(OidRequest& r, const std::vector<uint8_t>& bytes);
uint32_t answerU32(OidRequest& r, uint32_t value);
// For a set: TRUE when the data holds at least `n` bytes, else sets the error.
bool hasData(OidRequest& r, uint32_t n, uint32_t& error);
// A code whose value the driver keeps (in the adapter's stored settings,
// under the code's name): queries read it, sets replace it (exactly the
// initial value's size is kept; more data is accepted and cut). `accepts`,
// when given, refuses values the hardware cannot take.
using ValueCheck = std::function<bool(const Adapter&, const uint8_t* value)>;
OidHandler keptValue(std::vector<uint8_t> initial, ValueCheck accepts = nullptr);
OidHandler keptU32(uint32_t initial, ValueCheck accepts = nullptr);
// The same with an initial value that depends on the adapter.
uint32_t keptValueOf(OidRequest& r, const std::vector<uint8_t>& initial, const ValueCheck& accepts = nullptr);

// The key records (platform/wire/NdisKey.h): the index (low byte 0..3,
// flag bits kept) and the key material.
uint32_t readKeyRecord(OidRequest& r, uint32_t& index, std::string& material);
uint32_t readRemoveKeyRecord(OidRequest& r, uint32_t& index);

void addStandardCodes(CodeTable& table);
void addVendorCodes(CodeTable& table);

}  // namespace wavorel::sim
