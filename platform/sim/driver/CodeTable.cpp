#include "platform/sim/driver/CodeTable.h"

#include <cstdio>
#include <stdexcept>

#include "platform/sim/radio/Adapter.h"
#include "platform/wire/Bytes.h"
#include "platform/win/kernel/Errors.h"

namespace wavorel::sim {

CodeTable::CodeTable() {
  addStandardCodes(*this);
  addVendorCodes(*this);
}

const CodeTable& CodeTable::instance() {
  static const CodeTable table;
  return table;
}

void CodeTable::bind(uint32_t number, bool set, uint32_t size, const std::string& name, const OidHandler& handler) {
  std::vector<size_t>& same = byNumber_[number];
  for (size_t index : same) {
    const CodeBinding& b = bindings_[index];
    if (b.name == name) return;  // the same code reached twice (an XP number the Vista build shares)
    if (b.size == size || b.size == 0 || size == 0) {
      char hex[11];
      std::snprintf(hex, sizeof hex, "0x%08X", number);
      throw std::logic_error(std::string("driver code ") + hex + " bound to " + b.name + " and " + name);
    }
  }
  same.push_back(bindings_.size());
  bindings_.push_back({number, set, size, name, handler});
}

void CodeTable::standard(const std::string& name, uint32_t number, Use use, OidHandler handler) {
  if (use != Use::Set) bind(number, false, 0, name, handler);
  if (use == Use::Query) return;
  bind(number | kSetFlag, true, 0, name, handler);
  bind((number & 0x00FFFFFFu) | kStationSetFlags, true, 0, name, handler);
}

void CodeTable::vendor(const std::string& name, uint32_t vistaQuery, uint32_t vistaSet, uint32_t xpQuery,
                       uint32_t xpSet, OidHandler handler, uint32_t setSize) {
  if (vistaQuery) bind(vistaQuery, false, 0, name, handler);
  if (xpQuery) bind(xpQuery, false, 0, name, handler);
  if (vistaSet) bind(vistaSet, true, setSize, name, handler);
  if (xpSet) {
    bind(xpSet, true, setSize, name, handler);
    bind((xpSet & 0x00FFFFFFu) | 0xFF000000u, true, setSize, name, handler);
  }
}

const CodeBinding* CodeTable::find(uint32_t number, uint32_t size) const {
  const auto same = byNumber_.find(number);
  if (same == byNumber_.end()) return nullptr;
  const CodeBinding* any = nullptr;
  for (size_t index : same->second) {
    const CodeBinding& b = bindings_[index];
    if (b.size == size) return &b;
    if (b.size == 0) any = &b;
  }
  return any;
}

bool CodeTable::known(uint32_t number) const { return byNumber_.count(number) != 0; }

uint32_t answer(OidRequest& r, const std::vector<uint8_t>& bytes) {
  r.returned = static_cast<uint32_t>(bytes.size());
  if (r.size < bytes.size()) return ERROR_INSUFFICIENT_BUFFER;
  std::copy(bytes.begin(), bytes.end(), r.buffer);
  return ERROR_SUCCESS;
}

uint32_t answerU32(OidRequest& r, uint32_t value) {
  std::vector<uint8_t> b(4);
  wire::putU32(b.data(), value);
  return answer(r, b);
}

bool hasData(OidRequest& r, uint32_t n, uint32_t& error) {
  if (r.size >= n) return true;
  r.returned = n;
  error = ERROR_INSUFFICIENT_BUFFER;
  return false;
}

uint32_t keptValueOf(OidRequest& r, const std::vector<uint8_t>& initial, const ValueCheck& accepts) {
  if (!r.set) return answer(r, r.adapter.setting(r.name, initial));
  uint32_t error = ERROR_SUCCESS;
  if (!hasData(r, static_cast<uint32_t>(initial.size()), error)) return error;
  if (accepts && !accepts(r.adapter, r.buffer)) return ERROR_INVALID_PARAMETER;
  r.adapter.setSetting(r.name, std::vector<uint8_t>(r.buffer, r.buffer + initial.size()));
  r.returned = static_cast<uint32_t>(initial.size());
  return ERROR_SUCCESS;
}

OidHandler keptValue(std::vector<uint8_t> initial, ValueCheck accepts) {
  return [initial, accepts](OidRequest& r) { return keptValueOf(r, initial, accepts); };
}

OidHandler keptU32(uint32_t initial, ValueCheck accepts) {
  std::vector<uint8_t> b(4);
  wire::putU32(b.data(), initial);
  return keptValue(b, std::move(accepts));
}

}  // namespace wavorel::sim
