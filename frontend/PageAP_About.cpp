#include "frontend/PageAP_About.h"

#include "frontend/ApPageIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/StationPageTools.h"

namespace {

struct Pair {
  int value;
  int label;
};
constexpr Pair kPairs[CPageAP_About::kValueCount] = {
    {IDC_APABOUT_CONFIG_VERSION, IDC_APABOUT_CONFIG_VERSION_LABEL},
    {IDC_APABOUT_BOOT_VERSION, IDC_APABOUT_BOOT_VERSION_LABEL},
    {IDC_APABOUT_EEPROM, IDC_APABOUT_EEPROM_LABEL},
    {IDC_APABOUT_CONFIG_DATE, IDC_APABOUT_CONFIG_DATE_LABEL},
    {IDC_APABOUT_BOOT_DATE, IDC_APABOUT_BOOT_DATE_LABEL},
    {IDC_APABOUT_FIRMWARE, IDC_APABOUT_FIRMWARE_LABEL},
    {IDC_APABOUT_IP, IDC_APABOUT_IP_LABEL},
    {IDC_APABOUT_MASK, IDC_APABOUT_MASK_LABEL},
    {IDC_APABOUT_MAC, IDC_APABOUT_MAC_LABEL},
    {IDC_APABOUT_GATEWAY, IDC_APABOUT_GATEWAY_LABEL},
};

}  // namespace

BEGIN_MESSAGE_MAP(CPageAP_About, CGxTabPage)
END_MESSAGE_MAP()

CPageAP_About::CPageAP_About(CWnd* pParent) : CGxTabPage(IDD_PAGE_AP_ABOUT, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_AP.bmp"), kStationPageSkinKey);
}

CPageAP_About::~CPageAP_About() = default;

void CPageAP_About::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_APPAGE_TITLE, m_title);
  DDX_Control(pDX, IDC_APABOUT_INFO, m_info);
  for (int i = 0; i < kValueCount; ++i) {
    DDX_Control(pDX, kPairs[i].label, m_labels[i]);
    DDX_Control(pDX, kPairs[i].value, m_values[i]);
  }
}

BOOL CPageAP_About::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinPageTitle(&m_title);
  SkinPageText(&m_info);
  for (int i = 0; i < kValueCount; ++i) SkinLabelValuePair(&m_labels[i], &m_values[i], 9, 0, 9, 0);
  return TRUE;
}

CWnd* CPageAP_About::GetField(int index) {
  if (index == 0) return &m_info;
  return index > 0 && index <= kValueCount ? &m_values[index - 1] : nullptr;
}
