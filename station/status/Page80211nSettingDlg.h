// CPage80211nSettingDlg: the station's 802.11n setting page (template 3243),
// a tab of the station host that the worker's bridge does not drive. The user
// sets A-MSDU, MIMO power save, MPDU aggregation with automatic or manual
// Block-Ack and the MPDU density; Apply sends the HT setting record to the
// driver and keeps it in the driver key's "BACapability". While shown, timer
// 1 lists the driver's Block-Ack sessions every second, one list for the
// sessions the adapter originates and one for those it receives; the session
// buttons open the host's add and delete Block-Ack dialogs. UI thread only.
#pragma once

#include <array>
#include <vector>

#include "platform/Platform.h"
#include "station/status/StationToolRecords.h"
#include "widgets/ButtonST.h"
#include "widgets/ComboBoxSuper.h"
#include "widgets/QuickList.h"
#include "widgets/Separator.h"
#include "widgets/ShadeButtonST.h"
#include "worker/HtSettingRecord.h"

constexpr UINT IDD_PAGE_80211N_SETTING = 3243;
constexpr int IDC_HT_AMSDU = 3258;
constexpr int IDC_HT_AMSDU_3839 = 3262;
constexpr int IDC_HT_AMSDU_7935 = 3265;
constexpr int IDC_HT_SM_ENABLE = 4267;
constexpr int IDC_HT_SM_STATIC = 4266;
constexpr int IDC_HT_SM_DYNAMIC = 3268;
constexpr int IDC_HT_MPDU_AGGREGATION = 4260;
constexpr int IDC_HT_MANUAL = 5242;
constexpr int IDC_HT_AUTO = 5243;
constexpr int IDC_HT_DENSITY = 1643;
constexpr int IDC_HT_APPLY = 4259;
constexpr int IDC_HT_ORIGINATOR_LIST = 3257;
constexpr int IDC_HT_ORIGINATOR_ADD = 1260;
constexpr int IDC_HT_ORIGINATOR_DELETE = 1264;
constexpr int IDC_HT_ORIGINATOR_DELETE_ALL = 3248;
constexpr int IDC_HT_RECIPIENT_LIST = 3256;
constexpr int IDC_HT_RECIPIENT_ADD = 3275;
constexpr int IDC_HT_RECIPIENT_DELETE = 3276;
constexpr int IDC_HT_RECIPIENT_DELETE_ALL = 1629;
constexpr UINT_PTR kHtSettingTimer = 1;
constexpr UINT kHtSettingPeriodMs = 1000;

class CPage80211nSettingDlg : public CDialog {
 public:
  // The radio indexes of the SM power-save group.
  enum SmPowerSave { kSmEnable = 0, kSmStatic = 1, kSmDynamic = 2 };

  explicit CPage80211nSettingDlg(CWnd* pParent = nullptr);
  ~CPage80211nSettingDlg() override = default;

  BOOL OnInitDialog() override;

  // The page state into the driver (OID_VX_HT_SETTING, 8 bytes, 3 tries).
  void SetHtSettingToDriver();
  // The page state into "BACapability" (REG_DWORD) of the driver key.
  void SaveHtSettingToRegistry();
  // "BACapability" into the page state: TRUE when read; a missing value, or
  // one of another type or shorter than 4 bytes, leaves the state alone.
  BOOL LoadHtSettingFromRegistry();
  void EnableControls();
  // Timer 1: the driver's Block-Ack table into both lists.
  void RefreshBlockAckTables();

  const std::vector<BlockAckRow>& GetRows(BOOL recipient) const { return recipient ? m_recipientRows : m_originatorRows; }
  CQuickList& GetList(BOOL recipient) { return recipient ? m_listRecipient : m_listOriginator; }
  UINT_PTR GetTimerId() const { return m_nTimer; }

  // The page state, in this order.
  int m_nAutoBlockAck = 1;
  BOOL m_bMpduAggregation = TRUE;
  int m_nWindowA = 32;
  int m_nWindowB = 32;
  CString m_strMpduDensity = "0";
  std::vector<BlockAckRow> m_originatorRows;
  std::vector<BlockAckRow> m_recipientRows;
  BOOL m_bAmsdu = TRUE;
  int m_nAmsduSize = 0;
  int m_nSmPowerSave = kSmEnable;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnPaint();
  void OnBnClickedApply();
  void OnBnClickedCheck();
  void OnBnClickedMode();
  LRESULT OnGetListItem(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void InitBlockAckList(CQuickList& list);
  // A session button: the dialog's mode set, the host's secondary dialog
  // shown, the expanded layout.
  void OpenSessionDialog(UINT button);
  // One direction of the table into its rows and list.
  void RefreshBlockAckList(const BYTE* table, DWORD returned, BOOL recipient);
  std::array<BYTE, kHtSettingRecordSize> MakeRecord() const;

  CSeparator m_sepAmsdu, m_sepPowerSave, m_sepAggregation, m_sepOriginator, m_sepRecipient;
  CButtonST m_checkAmsdu, m_checkAggregation;
  CButtonST m_radioAmsdu3839, m_radioAmsdu7935, m_radioSmEnable, m_radioSmStatic, m_radioSmDynamic;
  CButtonST m_radioManual, m_radioAuto;
  CComboBoxSuper m_comboDensity;
  CShadeButtonST m_btnApply;
  CQuickList m_listOriginator, m_listRecipient;
  // The visible session buttons ("-All" and the recipient's "+" stay hidden).
  CShadeButtonST m_btnOriginatorAdd, m_btnOriginatorDelete, m_btnRecipientDelete;
  UINT_PTR m_nTimer = 0;
};
