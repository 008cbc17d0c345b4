#include "softap/AddBlockAck_Dlg_AP.h"

#include <cstdlib>
#include <vector>

#include "softap/ApDriver.h"
#include "softap/ApTables.h"
#include "softap/BlockAckPicker_AP.h"
#include "worker/DriverCodes.h"

CAddBlockAck_Dlg_AP::CAddBlockAck_Dlg_AP(CWnd* pParent) : CDialog(kTemplate, pParent) {}

void CAddBlockAck_Dlg_AP::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kTidId, m_tidList);
  DDX_Control(pDX, kStationsId, m_stations);
  DDX_CBString(pDX, kTidId, m_strTid);
  DDX_Text(pDX, kWindowId, m_nWindowSize);
}

BOOL CAddBlockAck_Dlg_AP::OnInitDialog() {
  CDialog::OnInitDialog();
  FillTidList(m_tidList);
  SetUpPeerList(m_stations);
  // The stations of the AP, from the 802.11n form of the station table.
  std::vector<BYTE> table(aptable::station::kHtSize, 0);
  DWORD returned = 0;
  if (QueryDriverOid_AP(OID_VX_STATION_TABLE, table.data(), static_cast<DWORD>(table.size()), &returned))
    for (const ApStationEntry& e : ParseStationTable(table.data(), returned, TRUE))
      AddPeerRow(m_stations, FormatMacText(e.mac.data()));
  UpdateData(FALSE);
  m_tidList.SetCurSel(0);
  return TRUE;
}

void CAddBlockAck_Dlg_AP::OnOK() {
  if (!UpdateData(TRUE) || !TakeSelectedPeer(m_stations, m_mac)) return;
  m_nTid = std::atoi(m_strTid);
  EndDialog(IDOK);
}
