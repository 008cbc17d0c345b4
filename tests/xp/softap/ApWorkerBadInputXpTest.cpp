// Wavorel's AP worker given bad input: stored numbers and keys that are no
// numbers or have other lengths, missing "ApDefault" and "Default" subkeys,
// a driver refusing AP mode or the event log, and sibling tools that do not
// start.
#include "softap/ApPoll.h"
#include "tests/xp/softap/ApWorkerXpTest.h"

namespace softap::testing {
namespace {

TEST_F(ApWorkerXpTest, SecurityValuesThatAreNoNumbersReadAsAtoiReadsThem) {
  const struct Case {
    const char* name;
    const char* authenType;
    const char* encryption;
    uint8_t authSent;
    uint8_t encryptionSent;
  } cases[] = {
      {"authentication no number: open", "open", "1", 0, 1},
      {"authentication empty: open", "", "1", 0, 1},
      {"authentication with a tail", "7x", "6", 7, 6},
      {"authentication beyond the indexes: open", "12", "1", 0, 1},
      {"negative authentication: open", "-1", "1", 0, 1},
      {"encryption no number: WEP", "0", "none", 0, 0},
      {"encryption of no index: none", "0", "5", 0, 1},
      {"encryption above open's: none", "0", "6", 0, 1},
      {"encryption no number under WPA2-PSK: TKIP", "7", "x", 7, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    resetModule();
    startWith({{"AuthenType", c.authenType}, {"Encryption", c.encryption}, {"WPAPSK", "letmein123"}});
    ASSERT_EQ(setsOf(kAuthModeSet).size(), 1u);
    EXPECT_EQ(setsOf(kAuthModeSet)[0].data, std::vector<uint8_t>({c.authSent, 0, 0, 0}));
    ASSERT_EQ(setsOf(kEncryptionSet).size(), 1u);
    EXPECT_EQ(setsOf(kEncryptionSet)[0].data, std::vector<uint8_t>({c.encryptionSent, 0, 0, 0}));
    // A pre-shared key goes out for the PSK index only.
    EXPECT_EQ(setsOf(kAddKeySet).size(), c.authSent == 7 ? 1u : 0u);
    DestroyHideDlgAP();
  }
}

TEST_F(ApWorkerXpTest, WepKeyTextsOtherThanTenOrTwentySixHexDigitsAreRemoved) {
  const struct Case {
    const char* text;
    uint32_t keyLength;  // 0: a remove-key record
  } cases[] = {
      {"0011223344", 5},
      {"aabbccddee", 5},
      {"00112233445566778899aabbcc", 13},
      {"", 0},
      {"001122334", 0},
      {"00112233445", 0},
      {"00112233zz", 0},
      {"abcde", 0},
      {"0011223344556677889900AABBC", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    resetModule();
    // "WEPKeyUse" no number: no key transmits.
    startWith({{"AuthenType", "0"}, {"Encryption", "0"}, {"WEPKeyUse", "first"}, {"WEPKey1", c.text}});
    const auto added = setsOf(kAddKeySet);
    const auto removed = setsOf(kRemoveKeySet);
    if (c.keyLength) {
      ASSERT_EQ(added.size(), 1u);
      EXPECT_EQ(u32(added[0].data, 0), c.keyLength + 39);
      EXPECT_EQ(u32(added[0].data, 4), 0u) << "key 1, not the transmit key";
      EXPECT_EQ(u32(added[0].data, 8), c.keyLength);
      EXPECT_EQ(removed.size(), 3u);
    } else {
      EXPECT_TRUE(added.empty());
      ASSERT_EQ(removed.size(), 4u);
      EXPECT_EQ(removed[0].data,
                std::vector<uint8_t>({16, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    }
    DestroyHideDlgAP();
  }
}

TEST_F(ApWorkerXpTest, PreSharedKeyTextsOfOtherFormsGiveTheirKeyOrNone) {
  auto hashed = [](const std::string& text) {
    std::vector<uint8_t> key(32);
    PasswordHash(text.c_str(), reinterpret_cast<const BYTE*>("Quendal-SoftAP"), 14, key.data());
    return key;
  };
  std::vector<uint8_t> hexKey(32);
  for (size_t i = 0; i < hexKey.size(); ++i) hexKey[i] = static_cast<uint8_t>(0xA0 + i);
  std::string hexText;
  for (uint8_t b : hexKey) hexText += "0123456789abcdef"[b >> 4], hexText += "0123456789abcdef"[b & 15];
  const struct Case {
    const char* name;
    std::string text;
    std::vector<uint8_t> key;  // empty: no key goes out
  } cases[] = {
      {"64 hexadecimal digits", hexText, hexKey},
      {"63 characters", std::string(63, 'p'), hashed(std::string(63, 'p'))},
      {"empty: the empty pass phrase", "", hashed("")},
      {"64 characters, not all hexadecimal", std::string(63, 'a') + "g", {}},
      {"65 characters", std::string(65, 'a'), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    resetModule();
    startWith({{"AuthenType", "7"}, {"Encryption", "6"}, {"WPAPSK", c.text}});
    const auto keys = setsOf(kAddKeySet);
    if (c.key.empty()) {
      EXPECT_TRUE(keys.empty());
    } else {
      ASSERT_EQ(keys.size(), 1u);
      const std::vector<uint8_t>& record = keys[0].data;
      ASSERT_GE(record.size(), 64u);
      EXPECT_EQ(u32(record, 0), 71u);
      EXPECT_EQ(std::vector<uint8_t>(record.begin() + 32, record.begin() + 64), c.key);
    }
    // The rest of apply-all goes on.
    EXPECT_EQ(setsOf(kSsidSet).size(), 1u);
    DestroyHideDlgAP();
  }
}

TEST_F(ApWorkerXpTest, MissingApDefaultIsCreatedAndMissingDefaultSkipsTheCopy) {
  const CString driverKey = driverKeyOf();
  ASSERT_EQ(readValue(driverKey + "\\ApDefault", "SSID"), "<no key>");
  ASSERT_TRUE(start());
  EXPECT_EQ(readValue(driverKey + "\\ApDefault", "SSID"), kCompanySsid);
  EXPECT_EQ(readValue(driverKey, "SSID"), kCompanySsid) << "the defaults copied into the driver key";
  ASSERT_EQ(setsOf(kSsidSet).size(), 1u);
  EXPECT_EQ(setsOf(kSsidSet)[0].data, ssidRecord(kCompanySsid));

  // The installer's copy of the station values is gone too.
  ASSERT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, driverKey + "\\Default"), ERROR_SUCCESS);
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();
  worker()->SendMessage(WM_COMMAND, CHideDlg_AP::ID_LEAVE_AP_MODE, 0);
  pump();
  EXPECT_EQ(readValue(driverKey + "\\Default", "SSID"), "<no key>") << "nothing made of the missing subkey";
  EXPECT_EQ(readValue(driverKey, "SSID"), kCompanySsid);
  EXPECT_EQ(readValue(driverKey, "OpMode"), "0");
  ASSERT_EQ(setsOf(kApModeSet).size(), 1u);
  EXPECT_EQ(setsOf(kApModeSet)[0].data, std::vector<uint8_t>({0, 0, 0, 0}));
  EXPECT_EQ(starts().size(), 1u);
}

TEST_F(ApWorkerXpTest, DriverRefusingApModeIsTriedAgainAndTheRestGoesOn) {
  auto& machine = wavorel::sim::machine();
  auto& ap = machine.adapter(0).softAp();
  // The set is refused once: the retry queue sends it again.
  machine.failCode(kApModeSet, 1);
  startWith({});
  EXPECT_FALSE(setsOf(kSsidSet).empty()) << "apply-all ran";
  tick(500);
  ASSERT_EQ(setsOf(kApModeSet).size(), 2u);
  EXPECT_EQ(setsOf(kApModeSet)[1].data, std::vector<uint8_t>({1, 0, 0, 0}));
  EXPECT_TRUE(ap.running());
  DestroyHideDlgAP();

  // An unreadable AP mode: nothing set, no tool started, apply-all as ever.
  useDefaultWorldWith("");
  wavorel::sim::machine().failCode(0x0D710126, 1);
  startWith({});
  EXPECT_TRUE(setsOf(kApModeSet).empty());
  EXPECT_TRUE(starts().empty());
  EXPECT_EQ(setsOf(kSsidSet).size(), 1u);
  EXPECT_TRUE(worker()->IsAdapterFound());
  EXPECT_FALSE(worker()->IsBusy());
}

TEST_F(ApWorkerXpTest, UnreadableEventLogKeepsTheStoreAndTheNextTickReadsIt) {
  useDefaultWorldWith(client("A", "00-24-D7-00-00-01", "Arrives = 1") +
                      client("B", "00-24-D7-00-00-02", "Arrives = 1"));
  startWith({});
  const _VX_802_11_EVENT_LOG kept{};
  ClearApEventLog();
  StoreApEvents({kept});
  wavorel::sim::machine().failCode(0x0D71010A, 1);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(g_apEventLog.GetSize(), 1);
  tick(CHideDlg_AP::kPollMs);
  // The restart of the BSS and both stations' arrivals, after the one kept.
  std::vector<int> stations;
  for (INT_PTR i = 0; i < g_apEventLog.GetSize(); ++i)
    if (g_apEventLog[i].EventCode == 1) stations.push_back(g_apEventLog[i].MacAddress[5]);
  EXPECT_EQ(stations, std::vector<int>({1, 2}));
  EXPECT_EQ(g_apEventLog.GetSize(), 4);
}

TEST_F(ApWorkerXpTest, ToolsThatDoNotStartAreRecordedAndChangeNothingElse) {
  removeTool("Pickwell.exe");
  startWith({{"AuthenType", "7"}, {"Encryption", "6"}, {"WPAPSK", "letmein123"}});
  EXPECT_EQ(starts(), (std::vector<std::string>{"\"Pickwell.exe\" ICS_DOWN|" + std::to_string(SW_HIDE) + "|failed",
                                                "Pickwell.exe|" + std::to_string(SW_SHOW) + "|failed"}));
  // The driver hears what it hears when the tool starts.
  expectGoldenTrace(std::string(SOFTAP_TEST_DATA) + "/wpa2psk.txt", calls());
  EXPECT_TRUE(worker()->IsAdapterFound());

  writeText(driverKeyOf() + "\\Default", "WirelessMode", "3");
  removeTool("QzSwap.exe");
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();
  worker()->SendMessage(WM_COMMAND, CHideDlg_AP::ID_LEAVE_AP_MODE, 0);
  pump();
  EXPECT_EQ(starts(), (std::vector<std::string>{"\"QzSwap.exe\" OFF Sorvik Vendrel \"Nerolt Wireless\"|" +
                                                std::to_string(SW_MINIMIZE) + "|failed"}));
  EXPECT_EQ(readValue(driverKeyOf(), "WirelessMode"), "3");
  EXPECT_EQ(readValue(driverKeyOf(), "OpMode"), "0");
  ASSERT_EQ(setsOf(kApModeSet).size(), 1u);
  EXPECT_EQ(setsOf(kApModeSet)[0].data, std::vector<uint8_t>({0, 0, 0, 0}));
}

}  // namespace
}  // namespace softap::testing
