// Wavorel's WMM apply on the simulated adapter: the switches into the driver
// key and the driver, then the connection made again by driver codes (also
// with the radio value off), with the SSID the driver reported.
#include <memory>

#include "platform/wire/Bytes.h"
#include "station/status/PageWMMDlg.h"
#include "tests/xp/station/XpStationPageTest.h"
#include "worker/DriverCodes.h"

namespace xp::testing {
namespace {

constexpr DWORD kSetBit = 0x00800000;

class PageWMMDlgTest : public XpStationPageTest {
 protected:
  void TearDown() override {
    if (page_ && page_->GetSafeHwnd()) page_->DestroyWindow();
    page_.reset();
    XpStationPageTest::TearDown();
  }
  CPageWMMDlg& open() {
    page_ = std::make_unique<CPageWMMDlg>(&frame());
    EXPECT_TRUE(page_->Create(IDD_PAGE_WMM, &frame()));
    page_->ShowWindow(SW_SHOW);
    return *page_;
  }
  // The data of the first set of `code` since the last clear (empty: none).
  static std::vector<uint8_t> setData(DWORD code) {
    for (const auto& call : calls())
      if (call.set && (call.code | kSetBit) == (code | kSetBit)) return call.data;
    return {};
  }
  static bool wasSet(DWORD code) {
    for (const auto& call : calls())
      if (call.set && (call.code | kSetBit) == (code | kSetBit)) return true;
    return false;
  }
  // A text value of the adapter's driver key ("<none>" when missing).
  static std::string driverKeyText(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char text[64] = {};
    DWORD size = sizeof text - 1, type = 0;
    const LONG result = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(text) : std::string("<none>");
  }

 private:
  std::unique_ptr<CPageWMMDlg> page_;
};

TEST_F(PageWMMDlgTest, ApplySetsTheSwitchesAndAssociatesAgain) {
  struct Case {
    int wmm, powerSave;
    DWORD apsdWord;  // sent for a driver word of 0xFF
    const char* apsdValue;
    const char* dlsValue;
  };
  join("CafeFree");
  CPageWMMDlg& page = open();
  // WMM on writes only "WMMCapable"; off writes all three.
  for (const Case& c : {Case{1, 0, 0x7E, "<none>", "<none>"}, Case{1, 1, 0x7F, "<none>", "<none>"},
                        Case{0, 0, 0x7E, "0", "0"}}) {
    page.CheckDlgButton(IDC_WMM_ENABLE, c.wmm);
    page.CheckDlgButton(IDC_WMM_POWER_SAVE, c.powerSave);
    machine().stuckValue(OID_VX_APSD_CAPABLE, 0xFF);
    machine().clearCalls();
    page.OnWmmApply();
    const std::string what = "wmm " + std::to_string(c.wmm) + " power save " + std::to_string(c.powerSave);
    EXPECT_EQ(driverKeyText("WMMCapable"), c.wmm ? "1" : "0") << what;
    EXPECT_EQ(driverKeyText("APSDCapable"), c.apsdValue) << what;
    EXPECT_EQ(driverKeyText("DLSCapable"), c.dlsValue) << what;
    const std::vector<uint8_t> apsd = setData(OID_VX_APSD_CAPABLE_SET);
    ASSERT_EQ(apsd.size(), 4u) << what;
    EXPECT_EQ(wavorel::wire::getU32(apsd.data()), c.apsdWord) << what;
    EXPECT_EQ(setData(OID_VX_PRIVATE_012D_SET), std::vector<uint8_t>{static_cast<uint8_t>(c.wmm)}) << what;
    EXPECT_TRUE(wasSet(OID_VX_DLS_CAPABLE_SET)) << what;
    // Disassociated, the same SSID set again, the CCX word of the key restored.
    EXPECT_TRUE(wasSet(OID_802_11_DISASSOCIATE)) << what;
    const std::vector<uint8_t> ssid = setData(OID_802_11_SSID);
    ASSERT_EQ(ssid.size(), 36u) << what;
    EXPECT_EQ(wavorel::wire::getU32(ssid.data()), 8u);
    EXPECT_EQ(std::string(ssid.begin() + 4, ssid.begin() + 12), "CafeFree");
    EXPECT_EQ(setData(OID_VX_PRIVATE_011E_SET), std::vector<uint8_t>(4, 0)) << "CCX2Control is 0";
    advance(3000);
    EXPECT_TRUE(machine().adapter(0).connected()) << what;
    EXPECT_EQ(page.m_strWmmStatus, c.wmm ? "Enabled" : "Disabled");
  }
}

TEST_F(PageWMMDlgTest, RadioOffStillAssociatesAgainAndOverlongSsidIsCut) {
  join("CafeFree");
  CPageWMMDlg& page = open();
  g_bRadioOn = 0;
  // The driver reports a length past the record: it goes back as 32.
  machine().stuckValue(OID_802_11_SSID, 200);
  machine().clearCalls();
  page.OnWmmApply();
  EXPECT_TRUE(wasSet(OID_802_11_DISASSOCIATE));
  const std::vector<uint8_t> ssid = setData(OID_802_11_SSID);
  ASSERT_EQ(ssid.size(), 36u);
  EXPECT_EQ(wavorel::wire::getU32(ssid.data()), 32u);
}

}  // namespace
}  // namespace xp::testing
