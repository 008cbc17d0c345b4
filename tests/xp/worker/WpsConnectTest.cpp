#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"
#include "tests/xp/worker/XpWorkerTest.h"
#include "worker/WpsWorker.h"

namespace xpworker::testing {
namespace {

namespace wps = wavorel::wire::wps;

class WpsConnectTest : public XpWorkerTest {
 protected:
  // A table of open credentials named by `ssids`.
  static void loadTable(const std::vector<std::string>& ssids) {
    std::vector<BYTE> raw(wps::table::kSize, 0);
    wavorel::wire::putU32(raw.data() + wps::table::kCount, static_cast<uint32_t>(ssids.size()));
    for (size_t i = 0; i < ssids.size(); ++i) {
      BYTE* r = raw.data() + wps::table::recordAt(i);
      wavorel::wire::putU32(r + wps::credential::kSsidLength, static_cast<uint32_t>(ssids[i].size()));
      std::memcpy(r + wps::credential::kSsid, ssids[i].data(), ssids[i].size());
      wavorel::wire::putU32(r + wps::credential::kAuthType, 1);
      wavorel::wire::putU32(r + wps::credential::kEncryptionType, 1);
    }
    LoadWpsCredentialTable(raw.data(), wps::table::kSize);
  }
  // The SSID of the connect record queued last.
  std::string queuedSsid() const {
    if (queue.empty() || !queue.back().Profile) return "<none>";
    const NDIS_802_11_SSID& ssid = queue.back().Profile->Ssid;
    return std::string(reinterpret_cast<const char*>(ssid.Ssid), ssid.SsidLength);
  }
};

TEST_F(WpsConnectTest, AnEmptyTableOnlyMarksTheWpsConnection) {
  loadTable({});
  g_bWpsConnect = 0;
  EXPECT_FALSE(ConnectXpWpsCredential(context));
  EXPECT_EQ(g_bWpsConnect, 1);
  EXPECT_TRUE(trace().empty());
  EXPECT_TRUE(queue.empty());
}

TEST_F(WpsConnectTest, RotationTakesTheCredentialsInTurnAndTellsTheDriverFirst) {
  loadTable({"First", "Second", "Third"});
  context.addAction = [this](_ACTION_DATA action) {
    queue.push_back(std::move(action));
    return FALSE;  // the test looks at what was queued
  };
  XpWorkerState().MultiCredential = 1;
  g_nWpsCurrentIndex = 0;
  g_nWpsNextIndex = 0;
  std::vector<std::string> taken;
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(ConnectXpWpsCredential(context));
    taken.push_back(queuedSsid());
  }
  EXPECT_EQ(taken, (std::vector<std::string>{"First", "Second", "Third", "First"}));
  EXPECT_EQ(lastSet(0x0DF10149), std::vector<uint8_t>{1});

  // Without rotation the current credential (the last one taken) is taken again.
  XpWorkerState().MultiCredential = 0;
  queue.clear();
  ConnectXpWpsCredential(context);
  ConnectXpWpsCredential(context);
  EXPECT_EQ(queuedSsid(), "First");
  EXPECT_EQ(g_nWpsNextIndex, 0);
}

}  // namespace
}  // namespace xpworker::testing
