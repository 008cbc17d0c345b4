// CAPDetailInfoDlg: the hidden detail view of one BSS (template 333),
// secondary dialog 4 of the host. The site survey page points it at a record
// of its own list copy and shows it; every show fills the pages from that
// record. A tab container (template 166) holds the General, WPS, CCX and
// 802.11n pages behind four shaded tab buttons; the 802.11n button is shown
// only for a BSS with 802.11n information. Close hands back to secondary
// dialog 0. The WPS page's class is not built: its button and page stay null.
#pragma once

#include <array>
#include <memory>

#include "platform/Platform.h"
#include "platform/wire/NdisBssidList.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/TabDialog.h"

// The head of one BSS record; its element area follows it (IELength bytes).
using NDIS_WLAN_BSSID_EX = wavorel::wire::ndis::layout::WlanBssidExHead;

class CPageGeneralDlg;
class CPageCCXDlg;
class CPageWPSStatusDlg;
class CPage80211nDlg;

constexpr UINT IDD_AP_DETAIL_INFO = 333;
constexpr UINT IDD_DETAIL_TABS = 166;
constexpr int IDC_DETAIL_CLOSE = 1293;
// The page area's placeholder and the tab buttons' placeholders.
constexpr int IDC_DETAIL_PAGE_AREA = 1750;
constexpr int kDetailTabPlaceIds[4] = {1769, 1773, 1777, 1765};
constexpr int kDetailTabButtonIds[4] = {1025, 1026, 1027, 1028};
constexpr UINT IDS_DETAIL_CLOSE = 525;

class CAPDetailInfoDlg : public CDialog {
 public:
  enum { kTabGeneral, kTabWps, kTabCcx, kTab80211n, kTabCount };

  explicit CAPDetailInfoDlg(CWnd* pParent = nullptr);
  ~CAPDetailInfoDlg() override;
  CAPDetailInfoDlg(const CAPDetailInfoDlg&) = delete;
  CAPDetailInfoDlg& operator=(const CAPDetailInfoDlg&) = delete;

  // The record the next show fills the pages from: a record of the caller's
  // list, which must stay in place while the dialog shows it; null shows
  // nothing new.
  void SetBssRecord(const NDIS_WLAN_BSSID_EX* record);
  const NDIS_WLAN_BSSID_EX* GetBssRecord() const { return m_pBssRecord; }

  CPageGeneralDlg* GetGeneralPage() const { return m_pPageGeneral.get(); }
  CPageWPSStatusDlg* GetWPSPage() const { return m_pPageWPS.get(); }
  CPageCCXDlg* GetCCXPage() const { return m_pPageCCX.get(); }
  CPage80211nDlg* Get80211nPage() const { return m_pPage80211n.get(); }
  CTabDialog* GetTabDialog() const { return m_pTabDialog.get(); }
  CShadeButtonST* GetTabButton(int tab) const;
  CShadeButtonST& GetCloseButton() { return m_btnClose; }

  BOOL OnInitDialog() override;

  // The steps of a show, each from its text of the record: the General page
  // from the security text, the CCX page from the vendor-suite text, the
  // 802.11n page (and its tab button) from the 802.11n text. A text with too
  // few fields throws CInvalidArgException; pages filled before keep their
  // new values.
  void FillGeneralPage(const CString& security);
  void FillWPSPage(const CString& wps);
  void FillCCXPage(const CString& vendor);
  void Fill80211nPage(const CString& ht);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnCloseClicked();
  DECLARE_MESSAGE_MAP()

 private:
  BOOL CreateTabs();
  // A placeholder's rectangle in this dialog's client coordinates.
  CRect PlaceholderRect(int id);

  const NDIS_WLAN_BSSID_EX* m_pBssRecord = nullptr;
  std::unique_ptr<CPageGeneralDlg> m_pPageGeneral;
  std::unique_ptr<CPageWPSStatusDlg> m_pPageWPS;
  std::unique_ptr<CPageCCXDlg> m_pPageCCX;
  std::unique_ptr<CPage80211nDlg> m_pPage80211n;
  std::array<std::unique_ptr<CShadeButtonST>, kTabCount> m_tabButtons;
  std::unique_ptr<CTabDialog> m_pTabDialog;
  CShadeButtonST m_btnClose;
  CFont m_tabFont;
};
