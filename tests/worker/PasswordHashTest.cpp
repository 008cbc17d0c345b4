#include "worker/PasswordHash.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "worker/HexStringToBytes.h"

namespace worker::testing {
namespace {

std::string HexOf(const BYTE* bytes, size_t n) {
  std::string out;
  char pair[3];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
    out += pair;
  }
  return out;
}

struct Vector {
  const char* passphrase;
  const char* ssid;
  const char* psk;
};

TEST(PasswordHashTest, TheIeee80211iTestVectors) {
  const Vector vectors[] = {
      {"password", "IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
      {"ThisIsAPassword", "ThisIsASSID", "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ",
       "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62"},
  };
  for (const Vector& v : vectors) {
    BYTE psk[kPskLength] = {};
    ASSERT_EQ(PasswordHash(v.passphrase, reinterpret_cast<const BYTE*>(v.ssid), static_cast<int>(std::strlen(v.ssid)),
                           psk),
              1)
        << v.passphrase;
    EXPECT_EQ(HexOf(psk, sizeof psk), v.psk) << v.passphrase;
  }
}

TEST(PasswordHashTest, A64CharacterPassPhraseOrA33ByteSsidIsRefusedWithoutOutput) {
  const std::string ssid(33, 'S');
  const std::string longest(63, 'p');
  BYTE psk[kPskLength];
  std::memset(psk, 0xEE, sizeof psk);
  EXPECT_EQ(PasswordHash(std::string(64, 'p').c_str(), reinterpret_cast<const BYTE*>(ssid.data()), 4, psk), 0);
  EXPECT_EQ(PasswordHash(longest.c_str(), reinterpret_cast<const BYTE*>(ssid.data()), 33, psk), 0);
  for (BYTE b : psk) EXPECT_EQ(b, 0xEE);
  EXPECT_EQ(PasswordHash(longest.c_str(), reinterpret_cast<const BYTE*>(ssid.data()), 32, psk), 1);
  EXPECT_NE(psk[0] | psk[31], 0xEE);
}

TEST(HexStringToBytesTest, PairsHighDigitFirstWithoutValidation) {
  BYTE out[4] = {};
  HexStringToBytes("0aFf7C10", out, 4);
  EXPECT_EQ(out[0], 0x0A);
  EXPECT_EQ(out[1], 0xFF);
  EXPECT_EQ(out[2], 0x7C);
  EXPECT_EQ(out[3], 0x10);
  HexStringToBytes("z1", out, 1);
  EXPECT_EQ(out[0], static_cast<BYTE>(16 * 255 + 1)) << "a character that is no digit counts as 255";
}

}  // namespace
}  // namespace worker::testing
