#include "station/status/PageWPSStatusDlg.h"

#include <utility>

#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"

BEGIN_MESSAGE_MAP(CPageWPSStatusDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CPageWPSStatusDlg::CPageWPSStatusDlg(CWnd* pParent) : CDialog(IDD_PAGE_WPS_STATUS, pParent) {}

CPageWPSStatusDlg::~CPageWPSStatusDlg() = default;

void CPageWPSStatusDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  CString* values[] = {&m_strAuthentication, &m_strEncryption,        &m_strConfigMethods, &m_strPasswordId,
                       &m_strSelectedRegistrar, &m_strState,          &m_strVersion,       &m_strSetupLocked,
                       &m_strUuid,           &m_strRfBands};
  for (size_t i = 0; i < std::size(values); ++i) DDX_Text(pDX, kWpsStatusValueIds[i], *values[i]);
}

BOOL CPageWPSStatusDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const std::pair<int, UINT> labels[] = {{1440, 25},  {1443, 23},  {1446, 491}, {1448, 492}, {1450, 497},
                                         {1452, 498}, {1456, 499}, {1458, 69},  {1460, 502}, {1463, 503}};
  for (const auto& [id, stringId] : labels)
    if (CWnd* label = GetDlgItem(id)) ShowControlText(this, label, stringId);
  return TRUE;
}

void CPageWPSStatusDlg::OnPaint() { PaintPageTopLine(this); }
