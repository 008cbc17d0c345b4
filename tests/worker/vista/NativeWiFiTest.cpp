#include "tests/worker/DiscoveryTest.h"
#include "worker/NativeWiFi.h"
#include "worker/Settings.h"

namespace worker::testing {
namespace {

class NativeWiFiTest : public DiscoveryTest {
 protected:
  static bool sameGuid(const GUID& a, const std::string& text) {
    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", a.Data1, a.Data2,
                  a.Data3, a.Data4[0], a.Data4[1], a.Data4[2], a.Data4[3], a.Data4[4], a.Data4[5], a.Data4[6],
                  a.Data4[7]);
    return text == formatted;
  }
};

TEST_F(NativeWiFiTest, DiscoveryOpensTheChosenAdaptersInterface) {
  CNativeWiFi client;
  ASSERT_EQ(EnumAdapters(devices, nullptr,
                         [&client](LPCSTR name) { client.Init(name, nullptr, GetDataFolderKind()); }),
            1);
  EXPECT_TRUE(client.IsOpened());
  EXPECT_TRUE(sameGuid(client.InterfaceGuid(), guid()));

  DWORD soft = 9, hard = 9;
  EXPECT_EQ(client.GetRadioState(&soft, &hard), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(soft, 1u);
  EXPECT_EQ(hard, 1u);
}

TEST_F(NativeWiFiTest, BandAFromThePhyTypesAfterAPause) {
  CNativeWiFi client;
  ASSERT_EQ(client.Init(kDefaultFriendlyName, nullptr, 0), static_cast<DWORD>(ERROR_SUCCESS));
  const uint64_t start = GetTickCount64();
  EXPECT_EQ(QueryBandA(client), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(g_bSupportBandA, 1);
  EXPECT_EQ(GetTickCount64() - start, 1000u) << "one attempt, then the pause";

  useDefaultWorldWith("Bands = 2.4+5", "Bands = 2.4");
  CNativeWiFi narrow;
  ASSERT_EQ(narrow.Init(kDefaultFriendlyName, nullptr, 0), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(QueryBandA(narrow), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(g_bSupportBandA, 0);
}

TEST_F(NativeWiFiTest, ADescriptionOfNoInterfaceOpensButEveryQueryFails) {
  CNativeWiFi client;
  EXPECT_EQ(client.Init("No such card", nullptr, 0), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(client.IsOpened());
  const uint64_t start = GetTickCount64();
  g_bSupportBandA = 1;
  EXPECT_NE(QueryBandA(client), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(g_bSupportBandA, 0);
  EXPECT_EQ(GetTickCount64() - start, 5000u) << "five attempts, each followed by a pause";
  DWORD soft = 9, hard = 9;
  EXPECT_NE(client.GetRadioState(&soft, &hard), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(soft, 0u);
  EXPECT_EQ(hard, 1u);
}

}  // namespace
}  // namespace worker::testing
