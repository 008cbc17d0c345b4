// One root of the registry (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER) in
// memory: a tree of keys with their values, and its text form, the REGEDIT4
// file a person can read and edit.
//
// Text form: the line "REGEDIT4", then one section per key, "[ROOT\A\B]",
// followed by its values in creation order:
//   "name"="text"            REG_SZ stored with exactly one terminating zero
//   @="text"                 the default value (name "")
//   "name"=dword:0000000a    REG_DWORD of 4 bytes
//   "name"=hex:01,02         REG_BINARY
//   "name"=hex(N):...        any other type N (hexadecimal): hex(0) REG_NONE,
//                            hex(2) REG_EXPAND_SZ, hex(7) REG_MULTI_SZ, and
//                            hex(1) for a REG_SZ that has no terminator, an
//                            inner zero or a line break, so it reads back byte
//                            for byte.
// Names and quoted texts escape "\" as "\\" and a double quote as "\"". Long
// hex lists go on over lines that end in "\". Blank lines and lines starting
// with ";" are ignored.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace wavorel {

class RegistryHive {
 public:
  struct Value {
    std::string name;  // "" is the key's default value
    DWORD type = 0;
    std::string data;  // the bytes exactly as set
  };

  struct Key {
    std::string name;                                     // case as created
    std::vector<Value> values;                            // creation order
    std::map<std::string, std::unique_ptr<Key>> subkeys;  // by foldName: enumeration order
    int64_t lastWrite = 0;                                // FILETIME

    Key* child(const std::string& childName) const;
    Value* value(const std::string& valueName);
  };

  // `rootName` is the section prefix, e.g. "HKEY_LOCAL_MACHINE".
  explicit RegistryHive(std::string rootName);

  // Reads the text form. On a syntax error returns nullptr and sets `error`
  // to "line N: what". Every key gets `fileTime` as its last write time.
  static std::unique_ptr<RegistryHive> parse(const std::string& rootName, const std::string& text,
                                             int64_t fileTime, std::string& error);
  std::string serialize() const;

  Key& root() { return *root_; }
  // The key at `path` below the root, nullptr when a level is missing.
  Key* find(const std::vector<std::string>& path) const;
  // The key at `path`, creating missing levels with `now` as their time.
  // `created` tells whether the last level was new.
  Key& create(const std::vector<std::string>& path, int64_t now, bool& created);

  // Names compare without case the way the registry does (ASCII letters
  // folded to upper case); subkeys enumerate in the order of this form.
  static std::string foldName(const std::string& name);

 private:
  std::string rootName_;
  std::unique_ptr<Key> root_;
};

}  // namespace wavorel
