// Fixture of the simulated machine's tests: the default world (unless a test
// writes its own), and driver requests made the way the system makes them:
// open the device path, one control call, close.
#pragma once

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/radio/Machine.h"
#include "platform/sim/crypto/Pbkdf2.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Root.h"
#include "platform/wire/Bytes.h"

namespace wavorel::sim::testing {

// Little-endian fields of driver records.
inline std::vector<uint8_t> u32(uint32_t v) {
  std::vector<uint8_t> b(4);
  wire::putU32(b.data(), v);
  return b;
}
inline uint32_t u32At(const std::vector<uint8_t>& b, size_t offset) {
  if (offset > b.size() || b.size() - offset < 4) throw std::out_of_range("u32 past the record");
  return wire::getU32(b.data() + offset);
}
inline uint64_t u64At(const std::vector<uint8_t>& b, size_t offset) {
  if (offset > b.size() || b.size() - offset < 8) throw std::out_of_range("u64 past the record");
  return wire::getU64(b.data() + offset);
}

constexpr const char* kDefaultGuid = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";

class SimTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    unsetenv("WAVOREL_WORLD");
    PlatformTest::SetUp();
  }
  void TearDown() override {
    unsetenv("WAVOREL_WORLD");
    PlatformTest::TearDown();
  }

  // Makes `text` the world file and reloads the machine.
  void useWorld(const std::string& text) {
    std::string path = root() + "/world.ini";
    std::ofstream(path, std::ios::binary) << text;
    setenv("WAVOREL_WORLD", path.c_str(), 1);
    wavorel::resetPlatformState();
  }

  std::string devicePath(const std::string& guid = kDefaultGuid) { return "\\\\.\\" + guid; }

  // One request; `buffer` is in and out. Returns the call's result and sets
  // `returned` and `error`.
  BOOL request(DWORD oid, std::vector<uint8_t>& buffer, DWORD& returned, DWORD& error,
               const std::string& guid = kDefaultGuid) {
    HANDLE h = CreateFile(devicePath(guid).c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      error = GetLastError();
      returned = 0;
      return FALSE;
    }
    BOOL ok = DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, buffer.empty() ? nullptr : buffer.data(),
                              static_cast<DWORD>(buffer.size()), &returned, nullptr);
    error = ok ? 0 : GetLastError();
    CloseHandle(h);
    return ok;
  }

  // A query that must succeed; the answer cut to what was returned.
  std::vector<uint8_t> query(DWORD oid, DWORD size) {
    std::vector<uint8_t> b(size, 0);
    DWORD returned = 0, error = 0;
    EXPECT_TRUE(request(oid, b, returned, error)) << std::hex << "query 0x" << oid << " error " << std::dec << error;
    b.resize(returned);
    return b;
  }
  uint32_t queryU32(DWORD oid) {
    std::vector<uint8_t> b = query(oid, 4);
    return b.size() == 4 ? u32At(b, 0) : 0;
  }
  void set(DWORD oid, std::vector<uint8_t> data) {
    DWORD returned = 0, error = 0;
    EXPECT_TRUE(request(oid, data, returned, error)) << std::hex << "set 0x" << oid << " error " << std::dec << error;
  }
  void setU32(DWORD oid, uint32_t v) { set(oid, u32(v)); }

  // The world's times of joining a network: authentication and association,
  // then the 4-way handshake of a pre-shared-key network.
  static const WorldTiming& timing() { return machine().world().timing; }
  static uint64_t associationMs() { return timing().authenticationMs + timing().associationMs; }
  static uint64_t pskJoinMs() { return associationMs() + timing().handshakeMs; }

};

}  // namespace wavorel::sim::testing
