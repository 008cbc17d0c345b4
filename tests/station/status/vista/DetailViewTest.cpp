// The BSS detail view on the programs' templates: its tabs, the General page's
// texts and signal bar, the CCX values, the 802.11n rows and tab button, the
// refusal of texts with too few fields, and a screenshot of the General tab.
// WavorelVista only: the view reaches the worker, whose XP variant does not
// link yet.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/present/Screenshot.h"
#include "platform/testing/PlatformTest.h"
#include "station/status/APDetailInfoDlg.h"
#include "station/status/Page80211nDlg.h"
#include "station/status/PageCCXDlg.h"
#include "station/status/PageGeneralDlg.h"
#include "station/status/PageWPSStatusDlg.h"
#include "tests/worker/BssRecordBuilder.h"

namespace {

using worker::testing::BssRecord;
using worker::testing::BssRecordFields;
using worker::testing::Bytes;
using worker::testing::Concat;
using worker::testing::Element;
namespace bss = wavorel::wire::ndis::bssid;

// A WPA element (00-50-F2-01) of version 1 with a group suite, one pairwise
// suite and no key management suite.
Bytes WpaElement(const Bytes& group, const Bytes& pairwise) {
  return Element(221, Concat({{0x00, 0x50, 0xF2, 0x01, 0x01, 0x00}, group, {0x01, 0x00}, pairwise, {0x00, 0x00}}));
}
const Bytes kCcxGroup{0x00, 0x40, 0x96, 0x02};
const Bytes kTkip{0x00, 0x50, 0xF2, 0x02};
// An RSN element: CCMP group and pairwise, PSK.
const Bytes kRsnPsk = Element(48, {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01,
                                   0x00, 0x00, 0x0F, 0xAC, 0x02, 0x00, 0x00});
// An HT capabilities element: LDPC and 40 MHz set, maximum A-MSDU 7935.
Bytes HtCapabilities() {
  Bytes content(26, 0);
  content[0] = 0x03;
  content[1] = 0x08;
  return Element(45, content);
}

class DetailViewTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    parent_ = CreateWindowEx(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 640, 420, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(parent_, nullptr);
    dialog_ = std::make_unique<CAPDetailInfoDlg>(CWnd::FromHandle(parent_));
    ASSERT_TRUE(dialog_->Create(IDD_AP_DETAIL_INFO, CWnd::FromHandle(parent_)));
    ASSERT_NE(dialog_->GetGeneralPage(), nullptr);
  }
  void TearDown() override {
    if (dialog_->GetSafeHwnd()) dialog_->DestroyWindow();
    dialog_.reset();
    DestroyWindow(parent_);
    wavorel::pumpMessages();
    PlatformTest::TearDown();
  }

  // Points the view at the record and shows it (hidden first, so every call
  // is a new show).
  void show(const Bytes& record) {
    record_ = record;
    dialog_->ShowWindow(SW_HIDE);
    dialog_->SetBssRecord(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(record_.data()));
    dialog_->ShowWindow(SW_SHOW);
    wavorel::pumpMessages();
  }
  void show(const BssRecordFields& fields, const std::function<void(Bytes&)>& change = nullptr) {
    Bytes record = BssRecord(fields);
    if (change) change(record);
    show(record);
  }
  static std::string text(CWnd& dialog, int id) {
    CString value;
    dialog.GetDlgItemText(id, value);
    return static_cast<LPCSTR>(value);
  }
  std::string general(int id) { return text(*dialog_->GetGeneralPage(), id); }
  std::string ccx(int id) { return text(*dialog_->GetCCXPage(), id); }
  static bool visible(CWnd* window) { return window && (window->GetStyle() & WS_VISIBLE) != 0; }
  CRect placeholder(int id) {
    CRect rect;
    dialog_->GetDlgItem(id)->GetWindowRect(&rect);
    return rect;
  }

  HWND parent_ = nullptr;
  std::unique_ptr<CAPDetailInfoDlg> dialog_;
  Bytes record_;
};

TEST_F(DetailViewTest, TabButtonsSitInTheirPlaceholdersAndCloseTakesItsText) {
  CTabDialog* tabs = dialog_->GetTabDialog();
  ASSERT_NE(tabs, nullptr);
  struct Tab {
    int tab, id, place;
    const char* caption;
  };
  for (const Tab& t : {Tab{CAPDetailInfoDlg::kTabGeneral, 1025, 1769, "General"},
                       Tab{CAPDetailInfoDlg::kTabWps, 1026, 1773, "WPS"},
                       Tab{CAPDetailInfoDlg::kTabCcx, 1027, 1777, "CCX"},
                       Tab{CAPDetailInfoDlg::kTab80211n, 1028, 1765, "802.11n"}}) {
    CShadeButtonST* button = dialog_->GetTabButton(t.tab);
    ASSERT_NE(button, nullptr) << t.caption;
    EXPECT_EQ(button->GetDlgCtrlID(), t.id);
    EXPECT_EQ(button->GetParent(), tabs);
    CString caption;
    button->GetWindowText(caption);
    EXPECT_STREQ(caption, t.caption);
    CRect rect;
    button->GetWindowRect(&rect);
    EXPECT_EQ(rect, placeholder(t.place)) << t.caption;
  }
  EXPECT_EQ(tabs->GetPageCount(), 4);
  EXPECT_EQ(dialog_->GetTabButton(CAPDetailInfoDlg::kTabGeneral)->GetLatched(), 1);
  EXPECT_TRUE(visible(dialog_->GetGeneralPage()));
  EXPECT_FALSE(visible(dialog_->GetCCXPage()));
  // The tab dialog spans the page area from 2 pixels under its top.
  CRect area = placeholder(IDC_DETAIL_PAGE_AREA), tabRect;
  tabs->GetWindowRect(&tabRect);
  EXPECT_EQ(tabRect.top, area.top + 2);
  EXPECT_EQ(tabRect.bottom, area.bottom);
  EXPECT_EQ(text(*dialog_, IDC_DETAIL_CLOSE), "Close");
}

TEST_F(DetailViewTest, GeneralPageLabelsAndSignalBarStartFromTheStringTable) {
  CPageGeneralDlg& page = *dialog_->GetGeneralPage();
  struct Label {
    int id;
    const char* text;
  };
  for (const Label& l : {Label{1248, "SSID >>"}, Label{1470, "MAC Address >>"}, Label{1440, "Authentication Type >>"},
                         Label{1473, "Encryption Type >>"}, Label{1028, "Channel >>"}, Label{1039, "Network Type >>"},
                         Label{1628, "Beacon Interval >>"}, Label{1495, "Supported Rates (Mbps)"}}) {
    EXPECT_EQ(text(page, l.id), l.text);
    EXPECT_TRUE(visible(page.GetDlgItem(l.id))) << l.text;
  }
  CProgressCtrlX& bar = page.GetSignalBar();
  EXPECT_STREQ(bar.GetFormatString(), "Signal Strength >> %d%%");
  EXPECT_EQ(bar.GetPos(), 0);
  EXPECT_EQ(bar.GetColor(0), kSignalGoodColor);
  EXPECT_EQ(bar.FormatText(), "Signal Strength >> 0%");
}

TEST_F(DetailViewTest, ShowFillsTheGeneralPageFromTheRecord) {
  BssRecordFields fields;
  fields.ssid = "Cafe Net";
  fields.privacy = 1;
  fields.rssi = -62;
  fields.frequency = 2437000;
  fields.beaconInterval = 102;
  const BYTE mac[6] = {0x00, 0x1A, 0x2B, 0xC3, 0xD4, 0xEF};
  std::copy(mac, mac + 6, fields.mac);
  // 1 and 2 Mbit/s basic rates, 5.5 and 11 Mbit/s.
  show(fields, [](Bytes& r) {
    const BYTE rates[] = {0x82, 0x84, 0x0B, 0x16};
    std::copy(rates, rates + 4, r.begin() + bss::kSupportedRates);
  });
  EXPECT_EQ(general(IDC_GENERAL_SSID), "Cafe Net");
  EXPECT_EQ(general(IDC_GENERAL_MAC), "00-1A-2B-C3-D4-EF");
  EXPECT_EQ(general(IDC_GENERAL_AUTH), "Unknown");
  EXPECT_EQ(general(IDC_GENERAL_ENCRYPT), "WEP") << "Privacy without RSN or WPA";
  EXPECT_EQ(general(IDC_GENERAL_CHANNEL), "6 <--> 2437 MHz");
  EXPECT_EQ(general(IDC_GENERAL_NETWORK_TYPE), "Infrastructure");
  EXPECT_EQ(general(IDC_GENERAL_BEACON), "102");
  EXPECT_EQ(general(IDC_GENERAL_RATES), "1, 2, 5.5, 11");
  CProgressCtrlX& bar = dialog_->GetGeneralPage()->GetSignalBar();
  EXPECT_EQ(bar.GetPos(), 70);
  EXPECT_EQ(bar.GetColor(0), kSignalGoodColor);
  // The Close button is no default button after a show.
  EXPECT_EQ(dialog_->GetCloseButton().GetButtonStyle() & 0x0F, static_cast<UINT>(BS_OWNERDRAW));
}

TEST_F(DetailViewTest, GeneralTextsOfEachKindOfRecord) {
  using SetFields = std::function<void(BssRecordFields&)>;
  using SetBytes = std::function<void(Bytes&)>;
  struct Case {
    const char* what;
    SetFields fields;
    SetBytes bytes;
    int id;
    std::string expected;
  };
  const auto ssid = [](const Bytes& bytes, DWORD length) -> SetBytes {
    return [bytes, length](Bytes& r) {
      std::fill(r.begin() + bss::kSsid, r.begin() + bss::kSsid + bss::kSsidSize, 0);
      std::copy(bytes.begin(), bytes.end(), r.begin() + bss::kSsid);
      wavorel::wire::putU32(r.data() + bss::kSsidLength, length);
    };
  };
  const auto frequency = [](DWORD khz) -> SetFields { return [khz](BssRecordFields& f) { f.frequency = khz; }; };
  const auto rates = [](const Bytes& values) -> SetBytes {
    return [values](Bytes& r) { std::copy(values.begin(), values.end(), r.begin() + bss::kSupportedRates); };
  };
  const SetFields rsn = [](BssRecordFields& f) {
    f.privacy = 1;
    f.elements = kRsnPsk;
  };
  const Case cases[] = {
      {"empty SSID", nullptr, ssid({}, 0), IDC_GENERAL_SSID, "Hidden"},
      {"SSID of zero bytes", nullptr, ssid(Bytes(8, 0), 8), IDC_GENERAL_SSID, "Hidden"},
      {"SSID ends at its first NUL", nullptr, ssid({'a', 'b', 0, 'c'}, 4), IDC_GENERAL_SSID, "ab"},
      {"SSID length past 32 is cut", nullptr, ssid(Bytes(32, 'x'), 200), IDC_GENERAL_SSID, std::string(32, 'x')},
      {"J8", frequency(5040000), nullptr, IDC_GENERAL_CHANNEL, "J8 <--> 5040 MHz"},
      {"J12", frequency(5060000), nullptr, IDC_GENERAL_CHANNEL, "J12 <--> 5060 MHz"},
      {"J16", frequency(5080000), nullptr, IDC_GENERAL_CHANNEL, "J16 <--> 5080 MHz"},
      {"5 GHz", frequency(5180000), nullptr, IDC_GENERAL_CHANNEL, "36 <--> 5180 MHz"},
      {"4.9 GHz", frequency(4920000), nullptr, IDC_GENERAL_CHANNEL, "184 <--> 4920 MHz"},
      // Not the channel of the record shown before.
      {"no such frequency", frequency(2400000), nullptr, IDC_GENERAL_CHANNEL, ""},
      {"ad hoc", [](BssRecordFields& f) { f.infrastructure = 0; }, nullptr, IDC_GENERAL_NETWORK_TYPE, "Ad-Hoc"},
      {"auto unknown", [](BssRecordFields& f) { f.infrastructure = 2; }, nullptr, IDC_GENERAL_NETWORK_TYPE,
       "Unknown"},
      {"open", [](BssRecordFields& f) { f.privacy = 0; }, nullptr, IDC_GENERAL_ENCRYPT, "None"},
      {"RSN with privacy", rsn, nullptr, IDC_GENERAL_ENCRYPT, "AES"},
      {"RSN authentication", rsn, nullptr, IDC_GENERAL_AUTH, "WPA2-PSK"},
      {"no rates", nullptr, rates({}), IDC_GENERAL_RATES, ""},
      {"all sixteen rates", nullptr, rates(Bytes(16, 0x6C)), IDC_GENERAL_RATES,
       "54, 54, 54, 54, 54, 54, 54, 54, 54, 54, 54, 54, 54, 54, 54, 54"},
      {"rates stop at the first 0", nullptr, rates({0x0C, 0x00, 0x12}), IDC_GENERAL_RATES, "6"},
      {"odd halves", nullptr, rates({0x03, 0x8B}), IDC_GENERAL_RATES, "1.5, 5.5"},
  };
  for (const Case& c : cases) {
    show(BssRecordFields{});
    ASSERT_EQ(general(IDC_GENERAL_CHANNEL), "6 <--> 2437 MHz");
    BssRecordFields fields;
    if (c.fields) c.fields(fields);
    show(fields, c.bytes);
    EXPECT_EQ(general(c.id), c.expected) << c.what;
  }
}

TEST_F(DetailViewTest, SignalBarColourBands) {
  CPageGeneralDlg& page = *dialog_->GetGeneralPage();
  CProgressCtrlX& bar = page.GetSignalBar();
  struct Case {
    int percent;
    COLORREF colour;
  };
  for (const Case& c : {Case{0, kSignalWeakColor}, Case{34, kSignalWeakColor}, Case{35, kSignalNormalColor},
                        Case{69, kSignalNormalColor}, Case{70, kSignalGoodColor}, Case{100, kSignalGoodColor}}) {
    page.SetSignal(c.percent);
    EXPECT_EQ(bar.GetColor(0), c.colour) << c.percent;
    EXPECT_EQ(bar.GetColor(1), c.colour) << c.percent;
    EXPECT_EQ(bar.GetPos(), c.percent);
  }
  // From the record: -76 dBm reads 34 %.
  BssRecordFields fields;
  fields.rssi = -76;
  show(fields);
  EXPECT_EQ(bar.GetPos(), 34);
  EXPECT_EQ(bar.GetColor(0), kSignalWeakColor);
}

TEST_F(DetailViewTest, CcxValuesComeFromTheVendorSuites) {
  for (CString* value : {&dialog_->GetCCXPage()->m_strCckm, &dialog_->GetCCXPage()->m_strCmic,
                         &dialog_->GetCCXPage()->m_strCkip})
    EXPECT_TRUE(value->IsEmpty());
  BssRecordFields fields;
  fields.privacy = 1;
  fields.elements = WpaElement(kCcxGroup, kTkip);
  show(fields);
  EXPECT_EQ(ccx(IDC_CCX_CCKM), "FALSE");
  EXPECT_EQ(ccx(IDC_CCX_CMIC), "TRUE");
  EXPECT_EQ(ccx(IDC_CCX_CKIP), "FALSE");
  EXPECT_EQ(text(*dialog_->GetCCXPage(), IDC_CCX_CCKM_LABEL), "CCKM >>");
}

TEST_F(DetailViewTest, The80211nTabAndRowsFollowTheHtInformation) {
  CPage80211nDlg& page = *dialog_->Get80211nPage();
  CShadeButtonST* button = dialog_->GetTabButton(CAPDetailInfoDlg::kTab80211n);
  BssRecordFields ht;
  ht.elements = HtCapabilities();
  show(ht);
  EXPECT_TRUE(visible(button));
  ASSERT_EQ(page.GetRows().size(), 64u);
  EXPECT_EQ(page.GetList().GetItemCount(), 64);
  // The repeated labels keep their own values: text 15 (bit 11) and 19 (the
  // length in octets).
  EXPECT_EQ(page.GetRows()[18].strProperty, "Maximum A-MSDU Length");
  EXPECT_EQ(page.GetRows()[18].strValue, "TRUE");
  EXPECT_EQ(page.GetRows()[22].strProperty, "Maximum A-MSDU Length");
  EXPECT_EQ(page.GetRows()[22].strValue, "7935");
  EXPECT_EQ(page.GetRows()[8].strValue, "TRUE") << "HT Capability";
  EXPECT_EQ(page.GetRows()[63].strProperty, "Basic MCS Set 3");

  // The list draws group rows bold with their label and no value.
  CQuickListCell group = *page.GetList().GetCellInfo(7, 0);
  EXPECT_EQ(group.m_bBold, 1);
  EXPECT_STREQ(group.m_strText, "HT Capabilities element");
  EXPECT_STREQ(page.GetList().GetCellInfo(7, 1)->m_strText, "");
  CQuickListCell property = *page.GetList().GetCellInfo(9, 0);
  EXPECT_EQ(property.m_bBold, 0);
  EXPECT_STREQ(page.GetList().GetCellInfo(9, 1)->m_strText, "TRUE") << "LDPC";

  // A BSS without HT: no tab button, 64 rows, every property "n/a".
  show(BssRecordFields{});
  EXPECT_FALSE(visible(button));
  ASSERT_EQ(page.GetRows().size(), 64u);
  int groups = 0;
  for (const HtInfoRow& row : page.GetRows()) {
    groups += row.bGroup;
    EXPECT_EQ(row.strValue, row.bGroup ? "" : "n/a") << row.strProperty;
  }
  EXPECT_EQ(groups, 10);
  // An empty flag reads as no HT too.
  page.m_strHt[kHtTextFields - 1] = "";
  page.m_strHt[4] = "TRUE";
  page.FillHtRows();
  EXPECT_EQ(page.GetRows()[8].strValue, "n/a");
}

// Runs `fill`; true when it threw the invalid-argument exception.
bool ThrowsInvalidArgument(const std::function<void()>& fill) {
  try {
    fill();
  } catch (CInvalidArgException* e) {
    e->Delete();
    return true;
  }
  return false;
}

TEST_F(DetailViewTest, TextsWithTooFewFieldsThrowAndEarlierPagesKeepTheirValues) {
  BssRecordFields first;
  first.ssid = "First";
  first.elements = Concat({WpaElement(kCcxGroup, kTkip), HtCapabilities()});
  show(first);
  ASSERT_EQ(ccx(IDC_CCX_CMIC), "TRUE");

  // The next record's General page is filled, then its CCX text is short.
  BssRecordFields second;
  second.ssid = "Second";
  record_ = BssRecord(second);
  dialog_->SetBssRecord(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(record_.data()));
  dialog_->FillGeneralPage("Unknown;None");
  EXPECT_TRUE(ThrowsInvalidArgument([&] { dialog_->FillCCXPage("TRUE;FALSE"); }));
  EXPECT_EQ(general(IDC_GENERAL_SSID), "Second");
  EXPECT_EQ(ccx(IDC_CCX_CMIC), "TRUE") << "the CCX page keeps its values";

  // A short security text leaves the General page as it was.
  BssRecordFields third;
  third.ssid = "Third";
  record_ = BssRecord(third);
  dialog_->SetBssRecord(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(record_.data()));
  EXPECT_TRUE(ThrowsInvalidArgument([&] { dialog_->FillGeneralPage("Unknown"); }));
  EXPECT_EQ(dialog_->GetGeneralPage()->m_strSsid, "Second");
  EXPECT_TRUE(ThrowsInvalidArgument([&] { dialog_->Fill80211nPage("1;2;3"); }));
  EXPECT_TRUE(visible(dialog_->GetTabButton(CAPDetailInfoDlg::kTab80211n))) << "the 802.11n page is left alone";
  EXPECT_EQ(dialog_->Get80211nPage()->GetRows()[8].strValue, "TRUE");
}

TEST_F(DetailViewTest, WpsValuesComeFromTheWpsAttributesAfterTheGeneralSecurity) {
  BssRecordFields fields;
  fields.privacy = 1;
  show(fields);
  CPageWPSStatusDlg& page = *dialog_->GetWPSPage();
  EXPECT_EQ(page.m_strAuthentication, "Unknown");
  EXPECT_EQ(page.m_strEncryption, "WEP");
  EXPECT_EQ(page.m_strConfigMethods, "Unknown");
  EXPECT_EQ(page.m_strPasswordId, "") << "an unknown password id shows empty";
  EXPECT_EQ(text(page, kWpsStatusValueIds[2]), "Unknown");
  EXPECT_EQ(text(page, 1446), "Config Methods >>");

  dialog_->FillWPSPage("0x0080;0x0004;TRUE;Configured;1.0;FALSE;00112233;2.4GHz + 5GHz;TRUE");
  const char* shown[] = {"WEP", "0x0080", "0x0004", "TRUE", "Configured", "1.0", "FALSE", "00112233", "2.4GHz + 5GHz"};
  for (int i = 1; i < 10; ++i) EXPECT_EQ(text(page, kWpsStatusValueIds[i]), shown[i - 1]) << i;
  EXPECT_TRUE(ThrowsInvalidArgument([&] { dialog_->FillWPSPage("0x0080;0x0004"); }));
  EXPECT_EQ(page.m_strConfigMethods, "0x0080") << "the page keeps its values";
}

TEST_F(DetailViewTest, ScreenshotOfTheGeneralTab) {
  BssRecordFields fields;
  fields.ssid = "Screenshot";
  fields.rssi = -76;  // 34 %: red
  show(fields, [](Bytes& r) {
    const BYTE rates[] = {0x82, 0x84, 0x0B, 0x16};
    std::copy(rates, rates + 4, r.begin() + bss::kSupportedRates);
  });
  const wavorel::WindowImage image = wavorel::composeWindow(parent_);
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(wavorel::present::writeImage(image, "detail-view-general.png"));

  CRect bar;
  dialog_->GetGeneralPage()->GetSignalBar().GetWindowRect(&bar);
  // Inside the filled third of the bar, left of its centred text: red; the
  // unfilled part near the right end: the background colour.
  const int y = bar.top + bar.Height() / 2;
  EXPECT_EQ(image.colorAt(bar.left + 8, y), kSignalWeakColor);
  EXPECT_EQ(image.colorAt(bar.right - 8, y), kSignalBackColor);
  // The General tab is latched (tinted green), the CCX tab is not.
  CRect general, other;
  dialog_->GetTabButton(CAPDetailInfoDlg::kTabGeneral)->GetWindowRect(&general);
  dialog_->GetTabButton(CAPDetailInfoDlg::kTabCcx)->GetWindowRect(&other);
  EXPECT_NE(image.colorAt(general.left + 3, general.top + 3), image.colorAt(other.left + 3, other.top + 3));
}

}  // namespace
