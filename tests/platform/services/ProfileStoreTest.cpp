// The Native Wi-Fi profile store read back from a damaged file: every size is
// checked, only the bad entries are lost (each with its reason), and the
// damaged file is kept aside before the store is written again.
#include <filesystem>
#include <fstream>

#include "ServiceTest.h"
#include "WlanTestProfiles.h"
#include "platform/sim/services/WlanProfileStore.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/services/Wlan.h"

namespace wavorel::sim::testing {
namespace {

// One entry of a store file.
std::string entry(const std::string& xml, const std::string& eap = "", uint32_t flags = 0) {
  return "profile " + std::to_string(flags) + " " + std::to_string(xml.size()) + " " + std::to_string(eap.size()) +
         "\n" + xml + eap;
}
std::string open(const char* name) { return profileXml(name, hexOf("CafeFree"), "open", "none"); }

class ProfileStoreTest : public ServiceTest {
 protected:
  std::string storePath() const { return platformRoot() + "/wlansvc/" + std::string(kAdapterGuid) + ".profiles"; }
  void writeStore(const std::string& data) {
    std::filesystem::create_directories(platformRoot() + "/wlansvc");
    std::ofstream(storePath(), std::ios::binary) << data;
  }
  static std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The profile names the service lists, opening a client first.
  std::vector<std::u16string> names() {
    if (!client_) {
      DWORD version = 0;
      EXPECT_EQ(WlanOpenHandle(2, nullptr, &version, &client_), static_cast<DWORD>(ERROR_SUCCESS));
      PWLAN_INTERFACE_INFO_LIST list = nullptr;
      EXPECT_EQ(WlanEnumInterfaces(client_, nullptr, &list), static_cast<DWORD>(ERROR_SUCCESS));
      guid_ = list->InterfaceInfo[0].InterfaceGuid;
      WlanFreeMemory(list);
    }
    PWLAN_PROFILE_INFO_LIST list = nullptr;
    EXPECT_EQ(WlanGetProfileList(client_, &guid_, nullptr, &list), static_cast<DWORD>(ERROR_SUCCESS));
    std::vector<std::u16string> out;
    for (DWORD i = 0; list && i < list->dwNumberOfItems; ++i) out.push_back(list->ProfileInfo[i].strProfileName);
    WlanFreeMemory(list);
    return out;
  }
  void TearDown() override {
    if (client_) WlanCloseHandle(client_, nullptr);
    ServiceTest::TearDown();
  }

  HANDLE client_ = nullptr;
  GUID guid_{};
};

TEST_F(ProfileStoreTest, ADamagedFileLosesOnlyItsBadEntriesEachWithItsReason) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::u16string> kept;
    const char* reason;  // part of what stderr says
  };
  const std::string a = entry(open("A")), b = entry(open("B"), "<EapUser/>", WLAN_PROFILE_USER), c = entry(open("C"));
  const Case cases[] = {
      {"sizes that wrap when added", a + "profile 0 18446744073709551615 1\n" + open("X") + "\n" + b,
       {w("A"), w("B")}, "not the header of an entry that fits"},
      {"a size past the end", a + "profile 0 999999 0\n" + open("X") + "\n" + b, {w("A"), w("B")},
       "not the header of an entry that fits"},
      {"a header line that is not one", a + "profile one two three\n" + open("X") + "\n" + b + c,
       {w("A"), w("B"), w("C")}, "not the header"},
      {"a negative size", "profile 0 -5 0\n" + a, {w("A")}, "not the header"},
      {"a document the service refuses", a + entry("<WLANProfile>broken") + b, {w("A"), w("B")},
       "a profile the service refuses (reason 0x00080001)"},
      {"a name given twice", a + entry(profileXml("A", hexOf("HomeNet"), "open", "none")) + b, {w("A"), w("B")},
       "profile \"A\" given again"},
      {"garbage at the end", a + b + "\x01\x02 trailing", {w("A"), w("B")}, "not the header"},
  };
  for (const Case& cs : cases) {
    SCOPED_TRACE(cs.what);
    writeStore(cs.file);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(names(), cs.kept);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(cs.reason), std::string::npos) << said;
    EXPECT_NE(said.find(".damaged"), std::string::npos) << said;
    WlanCloseHandle(client_, nullptr);
    client_ = nullptr;
    wavorel::resetPlatformState();  // the next case: a service that reads the store again
    std::filesystem::remove_all(platformRoot() + "/wlansvc");
  }
}

TEST_F(ProfileStoreTest, TheDamagedFileIsKeptAsideAndTheStoreHoldsWhatWasRead) {
  const std::string damaged = entry(open("Home")) + "profile ? ? ?\n" + open("Lost") + "\n" + entry(open("Cafe")) +
                              entry(open("Work"), "<EapUser/>");
  writeStore(damaged);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(names(), (std::vector<std::u16string>{w("Home"), w("Cafe"), w("Work")}));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(readFile(storePath() + ".damaged"), damaged) << "every byte of the damaged file is kept";

  // A change writes what was read, not an empty file, and never over the copy.
  std::u16string cafe = w("Cafe");
  ASSERT_EQ(WlanDeleteProfile(client_, &guid_, cafe.c_str(), nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(readFile(storePath()), entry(open("Home")) + entry(open("Work"), "<EapUser/>"));
  EXPECT_EQ(readFile(storePath() + ".damaged"), damaged);

  // The next start reads the store whole; a second damage takes the next free name.
  WlanCloseHandle(client_, nullptr);
  client_ = nullptr;
  wavorel::resetPlatformState();
  EXPECT_EQ(names(), (std::vector<std::u16string>{w("Home"), w("Work")}));
  WlanCloseHandle(client_, nullptr);
  client_ = nullptr;
  wavorel::resetPlatformState();
  writeStore("nonsense");
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(names().empty());
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(readFile(storePath() + ".damaged.2"), "nonsense");
  EXPECT_EQ(readFile(storePath() + ".damaged"), damaged);
}

TEST(ProfileStoreReadTest, AWholeFileReadsBackAsItWasWritten) {
  std::vector<std::string> problems;
  std::vector<StoredProfile> read =
      WlanProfileStore::read(entry(open("A"), "", WLAN_PROFILE_USER) + entry(open("B"), "<EapUser/>"), problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].flags, static_cast<uint32_t>(WLAN_PROFILE_USER));
  EXPECT_EQ(read[1].xml, open("B"));
  EXPECT_EQ(read[1].eapUserData, "<EapUser/>");
  EXPECT_TRUE(WlanProfileStore::read("", problems).empty());
  EXPECT_TRUE(problems.empty());
}

}  // namespace
}  // namespace wavorel::sim::testing
