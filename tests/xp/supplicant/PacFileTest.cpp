// EAP-FAST PAC files: provisioned once and stored with their path in both
// registry places, loaded the next time, removed when the server rejects
// them; and the file record, the expected IID and the default path on bad
// input.
#include <filesystem>

#include "tests/xp/supplicant/SupplicantLayerTest.h"
#include "xp/supplicant/PacFile.h"

namespace supplicant::testing {
namespace {

using PacFileTest = SupplicantLayerTest;

std::vector<BYTE> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(PacFileTest, APacIsProvisionedOnceLoadedNextTimeAndRemovedWhenRejected) {
  const std::string linuxPath = root() + "/prog/Office.pac";
  const std::string path = "C:\\Program Files\\Wavorel\\Office.pac";
  _PROFILE_DATA& p = enterprise("Corp", kFast, "CORP\\alice@corp.example", "secret");
  PutText(p.TunnelID, sizeof p.TunnelID, "alice");
  startAndConnect();
  ASSERT_TRUE(driveUntil([] { return ringHas("OK"); })) << ::testing::PrintToString(ringLines());
  EXPECT_TRUE(ringHas("EAP-FAST Provisioning is successful."));
  std::vector<BYTE> file = ReadBytes(linuxPath);
  ASSERT_EQ(file.size(), kPacFileSize);
  PAC_RECORD record;
  ASSERT_TRUE(ParsePacFile(file.data(), file.size(), record));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.Iid()), record.IidLength), "alice");
  EXPECT_EQ(record.KeyLength, 32u);
  EXPECT_EQ(driverText("PACFilePath"), path);
  EXPECT_EQ(driverText("PACFilePath", "\\Profile\\Station\\Office"), path);
  EXPECT_EQ(std::string(profile_.PACFilePath), path);
  EXPECT_FALSE(std::filesystem::exists(linuxPath + ".tmp"));
  SupplicantClose();

  // The next connection takes the stored PAC: no provisioning.
  clearLines();
  startAndConnect();
  ASSERT_TRUE(driveUntil([] { return ringHas("OK"); }));
  EXPECT_TRUE(adapter().connected());
  EXPECT_FALSE(ringHas("EAP-FAST Provisioning is successful."));
  SupplicantClose();

  // A PAC the server did not issue is rejected and its file goes.
  file[kPacHeaderSize + record.AidLength + record.IidLength + record.KeyLength + 4] ^= 1;
  std::ofstream(linuxPath, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
  clearLines();
  startAndConnect();
  EXPECT_TRUE(driveUntil([&] { return !std::filesystem::exists(linuxPath); }));
}

TEST_F(PacFileTest, APacPartTheLibraryCannotHandOverStoresNothing) {
  const std::string linuxPath = root() + "/prog/Office.pac";
  for (const char* call : {"acCredGetEapFASTPacAID", "acCredGetEapFASTPacOpaque"}) {
    SCOPED_TRACE(call);
    enterprise("Corp", kFast, "alice", "secret");
    wavorel::sim::forceSupplicantStatus(call, AC_ERR_BUFFER_TOO_SMALL);
    clearLines();
    startAndConnect();
    drive(5000);
    EXPECT_FALSE(ringHas("Wireless client is authenticated.")) << ::testing::PrintToString(ringLines());
    EXPECT_FALSE(std::filesystem::exists(linuxPath));
    EXPECT_FALSE(std::filesystem::exists(linuxPath + ".tmp"));
    EXPECT_EQ(driverText("PACFilePath"), "<none>");
    EXPECT_EQ(driverText("PACFilePath", "\\Profile\\Station\\Office"), "<none>");
    EXPECT_EQ(std::string(profile_.PACFilePath), "");
    SupplicantClose();
    EXPECT_FALSE(IsUiThreadRunning());
  }
}

TEST_F(PacFileTest, ARecordIsUsedOnlyWhenItsLengthsFitAndItsAidAndIidMatch) {
  const auto file = [](std::vector<uint32_t> lengths, const std::string& data) {
    std::vector<BYTE> bytes(kPacFileSize, 0);
    for (size_t i = 0; i < 4; ++i) wavorel::wire::putU32(bytes.data() + 4 * i, lengths[i]);
    std::memcpy(bytes.data() + kPacHeaderSize, data.data(), data.size());
    return bytes;
  };
  const std::string aid = "AID1";
  struct Case {
    const char* name;
    std::vector<BYTE> bytes;
    size_t size;
    bool used;
  };
  const std::vector<Case> cases = {
      {"matching", file({4, 5, 3, 2}, "AID1alicekeyop"), kPacFileSize, true},
      {"short", file({4, 5, 3, 2}, "AID1alicekeyop"), kPacFileSize - 1, false},
      {"lengths over 1024", file({4, 5, 1000, 100}, "AID1alice"), kPacFileSize, false},
      {"one length over 1024", file({4, 5, 1025, 0}, "AID1alice"), kPacFileSize, false},
      {"lengths overflowing 32 bits", file({4, 5, 0xFFFFFFF0u, 0x20}, "AID1alice"), kPacFileSize, false},
      {"other AID", file({4, 5, 3, 2}, "AID2alicekeyop"), kPacFileSize, false},
      {"AID of another length", file({3, 5, 3, 2}, "AIDalicekeyop"), kPacFileSize, false},
      {"other IID", file({4, 5, 3, 2}, "AID1alicXkeyop"), kPacFileSize, false},
      {"IID of another length", file({4, 4, 3, 2}, "AID1alickeyop"), kPacFileSize, false},
  };
  for (const Case& c : cases) {
    PAC_RECORD out;
    const bool used = SelectPac(c.bytes.data(), c.size, reinterpret_cast<const BYTE*>(aid.data()), aid.size(),
                                "alice", 5, out);
    EXPECT_EQ(used, c.used) << c.name;
    if (used) {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Key()), out.KeyLength), "key") << c.name;
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Opaque()), out.OpaqueLength), "op") << c.name;
    }
  }
  // What is stored reads back.
  PAC_RECORD record;
  ASSERT_TRUE(SelectPac(cases[0].bytes.data(), kPacFileSize, reinterpret_cast<const BYTE*>(aid.data()), 4, "alice",
                        5, record));
  BYTE again[kPacFileSize];
  FormatPacFile(record, again);
  EXPECT_EQ(std::vector<BYTE>(again, again + kPacFileSize), cases[0].bytes);
}

TEST_F(PacFileTest, TheExpectedIidAndTheDefaultPathTakeOnlyWhatTheyShould) {
  const struct {
    std::string identity;
    std::string iid;
  } iids[] = {{"alice", "alice"},
              {"CORP\\alice@corp.example", "alice"},
              {"alice@corp\\x", "alice"},
              {"A\\B\\c", "B\\c"},
              {"@x", ""},
              {std::string(128, 'n'), std::string(128, 'n')}};
  for (const auto& c : iids) {
    char field[kCredentialTextSize] = {};
    std::memcpy(field, c.identity.data(), std::min(c.identity.size(), sizeof field));
    size_t start = 0;
    const size_t length = ExpectedIid(field, sizeof field, &start);
    EXPECT_EQ(std::string(field + start, length), c.iid) << c.identity;
  }

  const struct {
    const char* curProfile;
    DWORD useBssid;
    std::string path;
  } paths[] = {{"Office", 0, "C:\\Program Files\\Wavorel\\Office.pac"},
               {"Office", 1, "C:\\Program Files\\Wavorel\\current.pac"},
               {"..\\..\\Windows\\evil", 0, ""},
               {"a/b", 0, ""},
               {"x..y", 0, ""},
               {"", 0, ""}};
  for (const auto& c : paths) {
    setDriverText("CurProfile", c.curProfile);
    profile_.UseBssid = c.useBssid;
    EXPECT_EQ(std::string(GetPacFilePath()), c.path) << c.curProfile;
  }
}

}  // namespace
}  // namespace supplicant::testing
