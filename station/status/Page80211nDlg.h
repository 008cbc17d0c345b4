// CPage80211nDlg: the "802.11n" page of the BSS detail view (template 341):
// the BSS's 802.11n information as a two-column Property/Value list of 64
// rows, ten of them bold group headings. The detail view stores the 55 texts
// (54 values and the HT flag) and calls FillHtRows; without the flag "TRUE"
// every property reads "n/a".
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "widgets/QuickList.h"
#include "worker/BssInfoElements.h"

constexpr UINT IDD_PAGE_80211N = 341;
constexpr int IDC_80211N_LIST = 1637;

struct HtInfoRow {
  BYTE bGroup;  // 1: a group heading, 0: a property
  CString strProperty;
  CString strValue;
};

class CPage80211nDlg : public CDialog {
 public:
  static constexpr int kRowCount = 64;

  explicit CPage80211nDlg(CWnd* pParent = nullptr);
  ~CPage80211nDlg() override = default;

  BOOL OnInitDialog() override;

  // Rebuilds the 64 rows from the texts, then the list.
  void FillHtRows();
  void RefreshHtList();
  const std::vector<HtInfoRow>& GetRows() const { return m_rows; }
  CQuickList& GetList() { return m_list; }

  // Texts 1..55 at indexes 0..54: the 54 values, then the HT flag.
  CString m_strHt[kHtTextFields];

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  LRESULT OnGetListItem(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  std::vector<HtInfoRow> m_rows;
  CQuickList m_list;
};
