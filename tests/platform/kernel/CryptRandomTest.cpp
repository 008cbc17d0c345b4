// The CryptoAPI random source: verify contexts only, random bytes while the
// context is open.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win/kernel/CryptRandom.h"
#include "platform/win/kernel/Errors.h"

namespace wavorel {
namespace {

TEST(CryptRandom, VerifyContextGivesRandomBytesUntilReleased) {
  HCRYPTPROV provider = 0;
  ASSERT_TRUE(CryptAcquireContext(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
  std::vector<BYTE> a(64, 0), b(64, 0);
  EXPECT_TRUE(CryptGenRandom(provider, static_cast<DWORD>(a.size()), a.data()));
  EXPECT_TRUE(CryptGenRandom(provider, static_cast<DWORD>(b.size()), b.data()));
  EXPECT_NE(a, b);
  EXPECT_NE(a, std::vector<BYTE>(64, 0));
  EXPECT_TRUE(CryptReleaseContext(provider, 0));
  EXPECT_FALSE(CryptGenRandom(provider, 4, a.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CryptReleaseContext(provider, 0));
}

TEST(CryptRandom, OnlyVerifyContextsOfTheFullProvider) {
  HCRYPTPROV provider = 0;
  const struct {
    LPCSTR container;
    DWORD type;
    DWORD flags;
    DWORD error;
  } cases[] = {{nullptr, 24, CRYPT_VERIFYCONTEXT, NTE_BAD_PROV_TYPE},
               {nullptr, PROV_RSA_FULL, 0, NTE_BAD_FLAGS},
               {"keys", PROV_RSA_FULL, CRYPT_VERIFYCONTEXT, NTE_BAD_FLAGS}};
  for (const auto& c : cases) {
    EXPECT_FALSE(CryptAcquireContext(&provider, c.container, nullptr, c.type, c.flags));
    EXPECT_EQ(GetLastError(), c.error);
  }
}

}  // namespace
}  // namespace wavorel
