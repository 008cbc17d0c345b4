// What Wavorel's AP pages do their own way: the link-status page reads the
// AP's link by the NDIS codes and shows the STBC use, and the registry value
// copier writes plainly, values of any size.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/radio/Machine.h"
#include "softap/ApSettings.h"
#include "softap/ConfigPage_AP.h"
#include "softap/LinkStatusPage_AP.h"
#include "softap/QzPropSheet_AP.h"
#include "tests/softap/vista/ApPageSheet.h"

namespace softap::testing {
namespace {

class ApLinkStatusXpTest : public ApPageSheetTest<CLinkStatusPage_AP> {
 protected:
  std::string text(CLinkStatusPage_AP::Text which) { return page().GetText(which).GetString(); }
  std::string stbc() {
    CString value;
    page().GetDlgItemText(CLinkStatusPage_AP::kStbcId, value);
    return value.GetString();
  }
};

TEST_F(ApLinkStatusXpTest, LinkComesFromTheNdisCodesAndTheHtLineShowsStbc) {
  const struct Case {
    const char* name;
    uint32_t failing;    // a code that fails on this tick, 0: none
    uint32_t htPhyWord;  // the transmit setting the driver reports
    const char* status;  // the status text's start
    const char* stbc;
  } cases[] = {
      {"up, no STBC", 0, 0x8000 | 7, "Quendal-SoftAP <--> 00-", "STBC: none"},
      {"up, STBC bit 9", 0, 0x8000 | 0x0200 | 7, "Quendal-SoftAP <--> 00-", "STBC: used"},
      {"up, STBC bit 10", 0, 0x8000 | 0x0400 | 7, "Quendal-SoftAP <--> 00-", "STBC: used"},
      {"BSSID unreadable", 0x0D010101, 0x8000 | 7, "Disconnected", "STBC: "},
      // Last: the failures stay for the rest of the test.
      {"media state unreadable", 0x00010114, 0x8000 | 7, "Card or driver not ready", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openSheet();
    ASSERT_TRUE(g_bApHtFamily) << "the default world's adapter is an 802.11n family";
    wavorel::sim::machine().stuckValue(0x0D71011C, c.htPhyWord);
    if (c.failing) wavorel::sim::machine().failCode(c.failing, 1000);
    tick(CLinkStatusPage_AP::kRefreshMs);
    EXPECT_EQ(text(CLinkStatusPage_AP::kStatus).substr(0, std::string(c.status).size()), c.status);
    if (c.stbc) {
      EXPECT_EQ(stbc(), c.stbc);
    }
    closeSheet();
    restart();
  }
}

TEST_F(ApLinkStatusXpTest, ATickAsksTheDriverByTheXpCodesOnly) {
  const struct {
    const char* name;
    uint32_t code;
  } table[] = {
      {"connection state", 0x00010114}, {"SSID", 0x0D010102},        {"BSSID", 0x0D010101},
      {"link status block", 0x0D710102}, {"channel record", 0x0D010211}, {"transmit power", 0x0D710118},
      {"IP address", 0x0D71011F},        {"link event", 0x0D71011D},     {"transmit rate", 0x0D71011B},
      {"HT word", 0x0D71011C},           {"RSSI 0", 0x0D010206},         {"RSSI 1", 0x0D710125},
      {"RSSI 2", 0x0D710134},            {"SNR 0", 0x0D710135},          {"SNR 1", 0x0D710136},
      {"noise level", 0x0D71011A},       {"adapter word", 0x0D710111},
  };
  static constexpr uint32_t kAdapterWord = 0x0D710111;
  static constexpr uint32_t kBssid = 0x0D010101;
  static constexpr uint32_t kWorkersEventLog = 0x0D71010A;
  openSheet();
  // The worker's own sheet is closed: only the page and the worker's poll
  // (the signal and the event log) ask the driver.
  worker()->GetSheet()->DestroyWindow();
  auto askedOnATick = [this]() {
    wavorel::sim::clearDriverCalls();
    tick(CLinkStatusPage_AP::kRefreshMs);
    std::set<uint32_t> asked;
    for (const auto& c : wavorel::sim::driverCalls()) {
      EXPECT_FALSE(c.set) << std::hex << c.code;
      asked.insert(c.code);
    }
    asked.erase(kWorkersEventLog);
    return asked;
  };
  // Connected: every code of the table but the adapter word, which the
  // not-connected branch reads.
  std::set<uint32_t> expected;
  for (const auto& row : table)
    if (row.code != kAdapterWord) expected.insert(row.code);
  EXPECT_EQ(askedOnATick(), expected);
  wavorel::sim::machine().failCode(kBssid, 1000);
  const std::set<uint32_t> notConnected = askedOnATick();
  EXPECT_EQ(notConnected.count(kAdapterWord), 1u);
  for (uint32_t code : notConnected) {
    const bool inTable =
        std::any_of(std::begin(table), std::end(table), [code](const auto& row) { return row.code == code; });
    EXPECT_TRUE(inTable) << std::hex << code;
  }
}

class ApCopierXpTest : public ApWorkerTest {
 protected:
  static HKEY open(const CString& path, REGSAM access) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, access, nullptr, &key, nullptr), ERROR_SUCCESS);
    return key;
  }
};

TEST_F(ApCopierXpTest, CopiesValuesOfAnySizeAndReportsARefusedWrite) {
  const CString source = "SOFTWARE\\CopierTest\\Source";
  const CString destination = "SOFTWARE\\CopierTest\\Destination";
  // A 20-address access list: 20 x 13 + 1 = 261 bytes, then a value after it.
  std::vector<std::string> macs;
  for (int i = 0; i < 20; ++i) macs.push_back("0024D70000" + std::string(1, "0123456789ABCDEFGHIJ"[i]) + "0");
  writeText(source, "Before", "1");
  writeList(source, "AccessControlList", macs);
  writeText(source, "After", "2");
  ASSERT_GT(readValue(source, "AccessControlList").size(), 260u);

  HKEY from = open(source, KEY_READ);
  HKEY to = open(destination, KEY_ALL_ACCESS);
  EXPECT_TRUE(CopyRegistryValues(from, to, destination));
  RegCloseKey(to);
  for (const char* name : {"Before", "AccessControlList", "After"})
    EXPECT_EQ(readValue(destination, name), readValue(source, name)) << name;

  // A destination that takes no writes: FALSE, and what it held stays.
  const CString refusing = "SOFTWARE\\CopierTest\\Refusing";
  writeText(refusing, "Before", "old");
  HKEY readOnly = open(refusing, KEY_READ);
  EXPECT_FALSE(CopyRegistryValues(from, readOnly, refusing));
  RegCloseKey(readOnly);
  RegCloseKey(from);
  EXPECT_EQ(readValue(refusing, "Before"), "old");
  EXPECT_EQ(readValue(refusing, "After"), "<no value>");
}

TEST(ApConfigPageXpTest, IsCreatableThroughItsRuntimeClass) {
  const CRuntimeClass* runtime = RUNTIME_CLASS(CConfigPage_AP);
  std::unique_ptr<CObject> made(runtime->CreateObject());
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(runtime));
  EXPECT_STREQ(runtime->m_lpszClassName, "CConfigPage_AP");
}

}  // namespace
}  // namespace softap::testing
