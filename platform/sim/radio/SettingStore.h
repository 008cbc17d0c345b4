// The adapter's stored settings where its driver keeps them: one REG_BINARY
// value per setting (named after the driver code that carries it) in the
// adapter's driver key. They outlive the process, so a second start of the
// program, or a second process on the same platform root, finds the adapter
// as it was left. Reads are cached until the key changes (its last write
// time moves when another process writes it), and the key is looked at no
// more than once per tick of the platform clock.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace wavorel::sim {

class SettingStore {
 public:
  // `keyPath`: the driver key below HKEY_LOCAL_MACHINE.
  explicit SettingStore(std::string keyPath);

  // The stored value, or `initial` while none is stored. A stored value of
  // another size than `initial` is cut or zero-extended to it.
  std::vector<uint8_t> get(const std::string& name, const std::vector<uint8_t>& initial);
  uint32_t getU32(const std::string& name, uint32_t initial);
  void set(const std::string& name, const std::vector<uint8_t>& value);
  void setU32(const std::string& name, uint32_t value);
  // Changes whenever a value may have changed (a write here, or the key
  // written from outside): what is worked out from the values stays good
  // while it stays the same.
  uint64_t generation();

 private:
  void refresh();
  int64_t lastWrite() const;

  std::string path_;
  std::map<std::string, std::vector<uint8_t>> cache_;  // the stored values read so far
  int64_t seen_ = -1;                                   // the key's last write time they belong to
  bool checked_ = false;
  uint64_t checkedAt_ = 0;                              // the tick of the last look at the key
  uint64_t generation_ = 0;
};

}  // namespace wavorel::sim
