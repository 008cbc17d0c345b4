// CBlockAck_AP: the "11n Setting" page of the AP sheet: the soft AP's
// 802.11n aggregation settings (MPDU aggregation with manual or automatic
// Block-Ack set-up, MPDU density, A-MSDU and its size, SM power save) kept in
// the 8-byte HT setting record - sent to the driver and packed into the
// driver key's "BACapability" - and the Block-Ack sessions in which the AP is
// originator or recipient, refreshed every second while the page is the
// sheet's active one. "ADD", "DELETE" and "DELETE ENTRY" start or end
// sessions through the two Block-Ack dialogs.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "softap/ApTables.h"
#include "softap/NoHScrollListCtrl_AP.h"

class CBlockAck_AP : public CPropertyPage {
  DECLARE_DYNCREATE(CBlockAck_AP)

 public:
  static constexpr const char* kTemplate = "11n Setting";
  static constexpr UINT kAggregationId = 1584;
  static constexpr UINT kDensityId = 1644;
  static constexpr UINT kAmsduId = 1580;
  static constexpr UINT kAmsduSmallId = 1588;
  static constexpr UINT kAmsduLargeId = 6265;
  static constexpr UINT kSmEnableId = 6267;
  static constexpr UINT kSmStaticId = 6216;
  static constexpr UINT kSmDynamicId = 6268;
  static constexpr UINT kManualId = 1536;
  static constexpr UINT kAutoId = 1541;
  static constexpr UINT kApplyId = 1582;
  static constexpr UINT kOriginatorListId = 1577;
  static constexpr UINT kRecipientListId = 1574;
  static constexpr UINT kOriginatorAddId = 1268;
  static constexpr UINT kRecipientAddId = 1623;
  static constexpr UINT kOriginatorDeleteId = 1271;
  static constexpr UINT kRecipientDeleteId = 1626;
  static constexpr UINT kOriginatorDeleteEntryId = 1556;
  static constexpr UINT kRecipientDeleteEntryId = 1630;
  static constexpr UINT_PTR kRefreshTimer = 1;
  static constexpr UINT kRefreshMs = 1000;
  enum Direction { kOriginator = 0, kRecipient = 1 };

  CBlockAck_AP();

  BOOL OnSetActive() override;
  // Reads the Block-Ack table and lists both directions.
  void RefreshTables();
  const std::vector<BlockAckRow>& GetRows(int direction) const { return m_rows[direction]; }
  // The HT setting record the page's fields make.
  void BuildRecord(BYTE record[8]) const;
  // The page's fields from a record.
  void UnpackRecord(const BYTE record[8]);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnApplyButton();
  void OnSwitchChanged();
  void OnSetupChanged();
  void OnOriginatorAdd() { AddSession(kOriginator); }
  void OnRecipientAdd() { AddSession(kRecipient); }
  void OnOriginatorDelete() { DeleteSession(kOriginator, TRUE); }
  void OnRecipientDelete() { DeleteSession(kRecipient, TRUE); }
  void OnOriginatorDeleteEntry() { DeleteSession(kOriginator, FALSE); }
  void OnRecipientDeleteEntry() { DeleteSession(kRecipient, FALSE); }
  DECLARE_MESSAGE_MAP()

 private:
  void AddSession(int direction);
  void DeleteSession(int direction, BOOL bOneTid);
  void RefreshEnableStates();
  void SetUpColumns(CListCtrl& list);
  // Sends the record built from the page.
  void SendRecord();

  CNoHScrollListCtrl_AP m_lists[2];  // originator, recipient
  std::vector<BlockAckRow> m_rows[2];
  // The record's fields as the page shows them.
  int m_nWindowA = 32;
  int m_nWindowB = 32;
  int m_nAggregation = 1;
  int m_nAutoIndex = 1;
  CString m_strDensity = "0";
  int m_nAmsdu = 1;
  int m_nAmsduSize = 0;
  int m_nSmIndex = 0;
  UINT_PTR m_nTimer = 0;
};
