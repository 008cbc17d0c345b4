// CPageCCXDlg: the "CCX" page of the BSS detail view (template 339): the
// three vendor-suite values beside their labels "CCKM >>", "Cmic >>" and
// "Ckip >>". The values start empty; the detail view fills them.
#pragma once

#include "platform/Platform.h"

constexpr UINT IDD_PAGE_CCX = 339;
constexpr int IDC_CCX_CCKM_LABEL = 1642;
constexpr int IDC_CCX_CMIC_LABEL = 1645;
constexpr int IDC_CCX_CKIP_LABEL = 1650;
constexpr int IDC_CCX_CCKM = 1653;
constexpr int IDC_CCX_CMIC = 1656;
constexpr int IDC_CCX_CKIP = 1659;

class CPageCCXDlg : public CDialog {
 public:
  explicit CPageCCXDlg(CWnd* pParent = nullptr);
  ~CPageCCXDlg() override = default;

  CString m_strCckm;
  CString m_strCmic;
  CString m_strCkip;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  DECLARE_MESSAGE_MAP()
};
