#include "station/profiles/PageProfileDlg.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "utilmere/WindowTools.h"
#include "widgets/WidgetMessages.h"
#include "worker/HideDlg.h"
#include "worker/IniProfileStore.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/ProfileStore.h"
#include "worker/StationHost.h"
#include "worker/WlanProfileXml.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr int kStoreValueSize = 128;
constexpr char kConfig[] = "Config";
constexpr UINT kTimerPeriodMs = 3000;
constexpr char kUnnamedBase[] = "Unname Profile";
// A number after the base text counts only up to this, so one more never
// passes the int range.
constexpr long kLargestNameNumber = 999999999;
constexpr int kImageConnected = 6;
constexpr int kImageActivated = 7;
constexpr int kImageLock = 5;
constexpr int kImageWidth = 16;
constexpr int kImageGrowth = 24;

const char* const kModeTexts[] = {"Open", "Shared", " ", "WPA", "WPA-PSK", "WPA-NONE", "WPA2", "WPA2-PSK"};
const char* const kNetworkTypeTexts[] = {"Ad hoc", "Infrastructure", "Auto"};
const char* const kTxPowerTexts[] = {"Auto", "100%", "75 %", "50 %", "25 %", "10 %", "Lowest"};
const char* const kLeapCipherTexts[] = {"WEP", "WPA-TKIP", "WPA2-AES"};

// One value of the profile store (data folder); empty when missing.
CString ReadStore(int kind, LPCSTR section, LPCSTR key) {
  char text[kStoreValueSize] = "";
  ReadIniValue(g_strAdapterGuid, kind, section, key, text, sizeof text, 0);
  return text;
}

CString ReadProfile(LPCSTR section, LPCSTR key) { return ReadStore(kIniKindProfiles, section, key); }

CString CipherText(int cipher) {
  switch (cipher) {
    case 0:
      return "WEP";
    case 1:
      return "None";
    case 4:
      return "TKIP";
    case 6:
      return "AES";
    default:
      return "";
  }
}

CString ChannelText(int channel) {
  switch (channel) {
    case 208:
      return "J8";
    case 212:
      return "J12";
    case 216:
      return "J16";
    default: {
      CString text;
      text.Format("%d", channel);
      return text;
    }
  }
}

int AuthModeOf(const CString& text) {
  const int mode = std::atoi(text);
  return mode < 0 || mode > 7 ? 0 : mode;
}

template <size_t N>
CString TableText(const char* const (&table)[N], int index) {
  return index >= 0 && index < static_cast<int>(N) ? table[index] : "";
}

// An "ActiveTime" as comparable fields {year, month, day, hour, minute,
// second}, each clamped; an empty text is 1 January 1971, 00:00:00.
using ActiveTime = std::array<int, 6>;

ActiveTime ParseActiveTime(const CString& text) {
  ActiveTime fields{1971, 1, 1, 0, 0, 0};
  const char* at = text;
  for (size_t i = 0; i < fields.size() && *at; ++i) {
    fields[i] = std::atoi(at);
    const char* comma = std::strchr(at, ',');
    if (!comma) break;
    at = comma + 1;
  }
  const auto clamp = [](int value, int low, int high, int otherwise) {
    return value < low || value > high ? otherwise : value;
  };
  return {clamp(fields[0], 1971, 3000, 1971), clamp(fields[1], 1, 12, 1),  clamp(fields[2], 1, 31, 1),
          clamp(fields[3], 0, 23, 0),         clamp(fields[4], 0, 59, 0), clamp(fields[5], 0, 59, 0)};
}

CString Quoted(const CString& text) { return "\"" + text + "\""; }

}  // namespace

BEGIN_MESSAGE_MAP(CPageProfileDlg, CDialog)
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CPageProfileDlg::OnGetListItem)
  ON_MESSAGE(WM_PROFILE_BUTTONS_ENABLE, &CPageProfileDlg::OnProfileButtonsEnable)
END_MESSAGE_MAP()

CPageProfileDlg::CPageProfileDlg(CWnd* pParent) : CDialog(IDD_PAGE_PROFILE, pParent) {}

CPageProfileDlg::~CPageProfileDlg() = default;

void CPageProfileDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROFILE_LIST, m_list);
  DDX_Control(pDX, IDC_PROFILE_ADD, m_btnAdd);
  DDX_Control(pDX, IDC_PROFILE_EDIT, m_btnEdit);
  DDX_Control(pDX, IDC_PROFILE_DELETE, m_btnDelete);
  DDX_Control(pDX, IDC_PROFILE_ACTIVATE, m_btnActivate);
  for (int i = 0; i < kProfileDetailCount; ++i) DDX_Text(pDX, kProfileDetailIds[i], m_details[i]);
}

BOOL CPageProfileDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString text;
  text.LoadString(IDS_PROFILE_LIST);
  SetDlgItemText(IDC_PROFILE_GROUP, GetMLText(text));

  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  m_list.EnableCellNavigation(FALSE);
  if (m_images.Create(IDB_PROFILE_IMAGES, kImageWidth, kImageGrowth, RGB(255, 255, 255)))
    m_list.SetImageList(&m_images, LVSIL_SMALL);
  CRect client;
  m_list.GetClientRect(&client);
  const int width = client.Width();
  m_list.InsertColumn(0, "", LVCFMT_CENTER, width * 4 / 100);
  m_list.InsertColumn(1, "NAME", LVCFMT_LEFT, width * 28 / 100);
  m_list.InsertColumn(2, "SSID", LVCFMT_LEFT, width * 56 / 100);
  m_list.InsertColumn(3, "", LVCFMT_CENTER, width * 4 / 100);
  m_list.InsertColumn(4, "", LVCFMT_CENTER, width * 4 / 100);

  const std::pair<CShadeButtonST*, UINT> buttons[] = {
      {&m_btnAdd, IDS_PROFILE_ADD}, {&m_btnEdit, IDS_PROFILE_EDIT},
      {&m_btnDelete, IDS_PROFILE_DELETE}, {&m_btnActivate, IDS_PROFILE_ACTIVATE}};
  for (const auto& [button, stringId] : buttons) {
    text.LoadString(stringId);
    button->SetWindowText(GetMLText(text));
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  }
  // Captions of the detail texts from the string table.
  const std::pair<UINT, UINT> captions[] = {{1244, 42}, {1248, 43}, {1039, 47}, {1110, 45}, {1112, 46},
                                            {1277, 6258}, {1028, 44}, {1270, 6259}, {1283, 6260}};
  for (const auto& [control, stringId] : captions) {
    text.LoadString(stringId);
    SetDlgItemText(control, GetMLText(text));
  }
  for (int i = 0; i < kProfileDetailCount; ++i) {
    // Channel, power save and the two thresholds stay hidden; their texts are kept.
    const bool hidden = i == 6 || i == 7 || i == 9 || i == 10;
    if (CWnd* caption = GetDlgItem(kProfileCaptionIds[i])) caption->ShowWindow(hidden ? SW_HIDE : SW_SHOW);
    if (CWnd* value = GetDlgItem(kProfileDetailIds[i])) value->ShowWindow(hidden ? SW_HIDE : SW_SHOW);
  }
  RefreshProfileList();
  ApplySavedOrder();
  m_nTimer = SetTimer(kProfilePageTimer, kTimerPeriodMs, nullptr);
  return TRUE;
}

BOOL CPageProfileDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // A hidden page never closes on Enter or Escape.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  if (HIWORD(wParam) == BN_CLICKED) {
    switch (id) {
      case IDC_PROFILE_ADD:
        OnAdd();
        return TRUE;
      case IDC_PROFILE_EDIT:
        OnEdit();
        return TRUE;
      case IDC_PROFILE_DELETE:
        OnDelete();
        return TRUE;
      case IDC_PROFILE_ACTIVATE:
        OnActivate();
        return TRUE;
      default:
        break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CPageProfileDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && header->idFrom == IDC_PROFILE_LIST && header->code == NM_CLICK) ShowSelectedDetails();
  return CDialog::OnNotify(wParam, lParam, pResult);
}

LRESULT CPageProfileDlg::OnGetListItem(WPARAM, LPARAM lParam) {
  auto* cell = reinterpret_cast<CQuickListCell*>(lParam);
  if (!cell) return 0;
  const int row = cell->GetRow();
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) return 0;
  const _PROFILE_LIST_ITEM& item = m_profiles[row];
  switch (cell->GetColumn()) {
    case 0:
      cell->m_nImage = item.State == 0 ? kImageConnected : item.State == 1 ? kImageActivated : -1;
      break;
    case 1:
      cell->m_strText = item.Name;
      break;
    case 2:
      cell->m_strText = item.Ssid;
      break;
    case 3:
      cell->m_nImage = item.Secured == 1 ? kImageLock : -1;
      break;
    case 4:
      cell->m_nImage = item.Infrastructure;
      break;
    default:
      break;
  }
  return 0;
}

LRESULT CPageProfileDlg::OnProfileButtonsEnable(WPARAM wParam, LPARAM) {
  EnableRowButtons(wParam == 1);
  return 0;
}

BOOL CPageProfileDlg::IsWorkerReady() { return g_nAdapterState == kAdapterReady && g_bRadioOn; }

int CPageProfileDlg::SelectedRow() const {
  POSITION position = m_list.GetFirstSelectedItemPosition();
  return position ? m_list.GetNextSelectedItem(position) : -1;
}

int CPageProfileDlg::ActionRow() {
  const int selected = SelectedRow();
  if (selected >= 0 && selected < static_cast<int>(m_profiles.size())) return selected;
  if (m_profiles.size() == 1) return 0;
  CString text;
  text.LoadString(IDS_NO_SELECTED_ITEM);
  WarningMessageBox(GetMLText(text));
  return -1;
}

void CPageProfileDlg::EnableRowButtons(BOOL enable) {
  for (CShadeButtonST* button : {&m_btnEdit, &m_btnDelete, &m_btnActivate})
    if (button->GetSafeHwnd()) button->EnableWindow(enable);
}

void CPageProfileDlg::ClearDetails() {
  for (CString& text : m_details) text.Empty();
  UpdateData(FALSE);
}

void CPageProfileDlg::ShowEditor() {
  if (!g_pHideDlg) return;
  g_pHideDlg->ShowPage(kHostDlgProfileEditor);
  if (CStationHost* host = g_pHideDlg->GetHost()) {
    g_bHostExpanded = 0;
    host->ToggleLayout();
  }
}

CProfileEditorDlg* CPageProfileDlg::Editor() {
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  auto* editor = dynamic_cast<CProfileEditorDlg*>(host ? host->GetSecondaryDialog(kHostDlgProfileEditor) : nullptr);
  return editor && editor->GetSafeHwnd() && editor->GetSystemConfigPage() && editor->GetAuthEncryPage() ? editor
                                                                                                       : nullptr;
}

void CPageProfileDlg::OnAdd() {
  if (!IsWorkerReady()) return;
  if (CProfileEditorDlg* editor = Editor()) {
    CString name;
    GetNewProfileName(name);
    editor->GetSystemConfigPage()->LoadDefaults(name);
    editor->GetAuthEncryPage()->SetDefaults();
    if (CPage8021XDlg* oneX = editor->Get8021XPage()) oneX->SetDefaults();
  }
  ShowEditor();
}

void CPageProfileDlg::OnEdit() {
  if (!IsWorkerReady()) return;
  const int row = ActionRow();
  if (row < 0) return;
  NotifyUI(BRIDGE_UI_EDITOR_FIELD, m_profiles[row].Name, TRUE);
  if (CProfileEditorDlg* editor = Editor()) {
    CPageSystemConfigDlg* system = editor->GetSystemConfigPage();
    system->m_strProfileName = m_profiles[row].Name;
    system->UpdateData(FALSE);
    editor->LoadProfile();
    system->LoadFromProfile();
    editor->GetAuthEncryPage()->LoadFromProfile();
    if (CPage8021XDlg* oneX = editor->Get8021XPage()) oneX->LoadFromProfile();
  }
  ShowEditor();
}

void CPageProfileDlg::OnActivate() {
  if (!IsWorkerReady()) return;
  const int row = ActionRow();
  if (row < 0) return;
  m_curProfileName = m_profiles[row].Name;
  g_strCurProfileName = m_curProfileName;
  m_curSsid = m_profiles[row].Ssid;
  ActivateProfile(row);
}

BOOL CPageProfileDlg::ActivateProfile(int row) {
  g_bWpsConnect = 0;
  CString wsc;
  wsc.Format("%d", g_bWpsConnect);
  WriteIniValue(g_strAdapterGuid, kIniKindStation, kConfig, "CurProfile", m_curProfileName, 0);
  WriteIniValue(g_strAdapterGuid, kIniKindStation, kConfig, "WSC", wsc, 0);
  g_bProfileApplied = 1;
  g_bProfileAppliedCompanion = 0;
  g_bConnectedByProfile = 1;
  g_bActivationMarker = 1;
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) return TRUE;
  const CString name = m_profiles[row].Name;
  CopyProfileToConfigSection(g_strAdapterGuid, name);
  LoadAndApplyCurrentProfile(FALSE, 0, 0);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  CString stamp;
  stamp.Format("%d, %d, %d, %d, %d, %d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  WriteIniValue(g_strAdapterGuid, kIniKindProfiles, name, "ActiveTime", stamp, 0);
  RefreshProfileList();
  return TRUE;
}

void CPageProfileDlg::OnDelete() {
  if (!IsWorkerReady()) return;
  const int row = ActionRow();
  if (row < 0) return;
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  CDialog* editor = host ? host->GetSecondaryDialog(kHostDlgProfileEditor) : nullptr;
  // (The host itself is never visible: the editor's own visible style counts.)
  if (editor && editor->GetSafeHwnd() && (editor->GetStyle() & WS_VISIBLE)) g_pHideDlg->ShowPage(kHostDlgLinkStatus);

  const _PROFILE_LIST_ITEM deleted = m_profiles[row];
  const bool wasCurrent = deleted.Name == m_curProfileName;
  if (wasCurrent && g_bConnectedByProfile) {
    g_bConnectedByProfile = 0;
    g_bProfileApplied = 0;
    ClearConfigSection();
    m_curProfileName.Empty();
  }
  CWlanProfileList* wlanProfiles = g_pNativeWiFi ? g_pNativeWiFi->ProfileList() : nullptr;
  const CString wlanName =
      WlanProfileNameOfSsid(reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(deleted.Ssid)),
                            static_cast<DWORD>(deleted.Ssid.GetLength()));
  if (wlanProfiles && wlanProfiles->ProfileExists(wlanName)) {
    WCHAR wide[WLAN_MAX_NAME_LENGTH] = {};
    MultiByteToWideChar(CP_ACP, 0, wlanName, -1, wide, WLAN_MAX_NAME_LENGTH - 1);
    wlanProfiles->DeleteProfile(wide);
  }
  RewriteStationProfileFile(g_strAdapterGuid, deleted.Name);
  RefreshProfileList();

  const int count = static_cast<int>(m_profiles.size());
  if (wasCurrent && !g_bWpsConnect && row < count && m_profiles[row].Ssid == deleted.Ssid &&
      !ReadProfile(m_profiles[row].Name, "ActiveTime").IsEmpty()) {
    m_curProfileName = m_profiles[row].Name;
    ActivateProfile(row);
  }
  if (m_profiles.empty()) {
    EnableRowButtons(FALSE);
    ClearDetails();
    return;
  }
  SetListSelected(&m_list, std::min(row, static_cast<int>(m_profiles.size()) - 1), 0, 0);
  ShowSelectedDetails();
}

void CPageProfileDlg::BuildProfileTable(std::vector<std::vector<CString>>& table, int& count, int& current) {
  table.clear();
  std::vector<ActiveTime> times;
  CStringArray names;
  ListIniSectionNames(g_strAdapterGuid, &names);
  for (INT_PTR i = 0; i < names.GetSize(); ++i) {
    const CString& name = names[i];
    const int mode = AuthModeOf(ReadProfile(name, "AuthMode"));
    CString modeText = kModeTexts[mode], suffix;
    if ((mode == 0 || mode == 1) && g_b8021xSupport && std::atoi(ReadProfile(name, "Use8021X")) != 0)
      suffix = "- Use 802.1X";
    if (mode == 0 && std::atoi(ReadProfile(name, "LeapEnabled")) != 0) modeText = "LEAP";
    CString authText;
    authText.Format("%s %s", static_cast<LPCSTR>(modeText), static_cast<LPCSTR>(suffix));
    const CString activeTime = ReadProfile(name, "ActiveTime");
    std::vector<CString> row{name,
                             ReadProfile(name, "SSID"),
                             ChannelText(std::atoi(ReadProfile(name, "Channel"))),
                             authText,
                             CipherText(std::atoi(ReadProfile(name, "CipherMode"))),
                             TableText(kNetworkTypeTexts, std::atoi(ReadProfile(name, "NetworkType"))),
                             activeTime,
                             modeText};
    // Newest first; a row goes after the rows of its own time.
    const ActiveTime time = ParseActiveTime(activeTime);
    const auto at = std::find_if(times.begin(), times.end(), [&](const ActiveTime& other) { return other < time; });
    const auto index = at - times.begin();
    times.insert(at, time);
    table.insert(table.begin() + index, std::move(row));
  }
  count = static_cast<int>(table.size());
  current = -1;
  for (int i = 0; i < count; ++i)
    if (table[i][0] == m_curProfileName) {
      current = i;
      break;
    }
}

void CPageProfileDlg::RefreshProfileList() {
  m_profiles.clear();
  if (m_list.GetSafeHwnd()) m_list.SetItemCountEx(0);
  const CString stored = ReadStore(kIniKindStation, kConfig, "CurProfile");
  if (!stored.IsEmpty()) m_curProfileName = stored;
  std::vector<std::vector<CString>> table;
  int count = 0, current = -1;
  BuildProfileTable(table, count, current);
  for (const std::vector<CString>& row : table) {
    const int secured = !(row[7] == "Open" && row[4] == "None");
    m_profiles.emplace_back(-1, row[0], row[1], secured, row[5] != "Ad hoc" ? 1 : 0);
  }
  EnableRowButtons(!m_profiles.empty());
  if (!m_profiles.empty() && current < 0) m_curProfileName.Empty();
  RebuildList();
}

void CPageProfileDlg::RebuildList() {
  if (m_list.GetSafeHwnd()) {
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_list.SetItemCountEx(static_cast<int>(m_profiles.size()));
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate();
  }
  CString rows;
  for (const _PROFILE_LIST_ITEM& item : m_profiles) {
    if (!rows.IsEmpty()) rows += "\r\n";
    CString state, secured;
    state.Format("%d", item.State);
    secured.Format("%d", item.Secured);
    rows += Quoted(MakeNotifyField(item.Name)) + "\t" + Quoted(MakeNotifyField(item.Ssid)) + "\t" + Quoted(state) +
            "\t" + Quoted(secured);
  }
  NotifyUI(BRIDGE_UI_PROFILE_ROW, rows, TRUE);
}

void CPageProfileDlg::ShowSelectedDetails() {
  int row = SelectedRow();
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) {
    if (m_profiles.size() != 1) {
      EnableRowButtons(FALSE);
      ClearDetails();
      return;
    }
    row = 0;
  }
  const CString stored = ReadStore(kIniKindStation, kConfig, "CurProfile");
  if (!stored.IsEmpty()) m_curProfileName = stored;
  const CString& name = m_profiles[row].Name;
  const int networkType = std::atoi(ReadProfile(name, "NetworkType"));
  const int mode = AuthModeOf(ReadProfile(name, "AuthMode"));
  const bool leap = mode == 0 && std::atoi(ReadProfile(name, "LeapEnabled")) != 0;
  CString auth;
  auth.Format("%s %s", leap ? "LEAP" : kModeTexts[mode], "");
  const CString cipher = leap ? TableText(kLeapCipherTexts, std::atoi(ReadProfile(name, "LeapEncryType")))
                              : CipherText(std::atoi(ReadProfile(name, "CipherMode")));
  CString rts, frag;
  rts.Format("%d", std::atoi(ReadProfile(name, "RtsThresh")));
  frag.Format("%d", std::atoi(ReadProfile(name, "FragThresh")));
  m_details[0] = name;
  m_details[1] = ReadProfile(name, "SSID");
  m_details[2] = TableText(kNetworkTypeTexts, networkType);
  m_details[3] = auth;
  m_details[4] = cipher;
  m_details[5] = std::atoi(ReadProfile(name, "Use8021X")) != 0 ? "YES" : "NO";
  m_details[6] = networkType == 0 ? ChannelText(std::atoi(ReadProfile(name, "Channel"))) : CString("Auto");
  m_details[7] = std::atoi(ReadProfile(name, "PSMode")) == 0 ? "CAM" : "PSM";
  m_details[8] = TableText(kTxPowerTexts, std::atoi(ReadProfile(name, "TXPower")));
  m_details[9] = rts;
  m_details[10] = frag;
  EnableRowButtons(TRUE);
  CString report;
  report.Format("%s\r\n%s\r\n%s\r\n%s\r\n%s", static_cast<LPCSTR>(m_details[2]), static_cast<LPCSTR>(m_details[3]),
                static_cast<LPCSTR>(m_details[4]), static_cast<LPCSTR>(m_details[6]),
                static_cast<LPCSTR>(m_details[7]));
  NotifyUI(BRIDGE_UI_PROFILE_DETAIL, report, TRUE);
  UpdateData(FALSE);
}

void CPageProfileDlg::SelectProfile(int row) {
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) return;
  SetListSelected(&m_list, row, 0, 0);
  ShowSelectedDetails();
}

int CPageProfileDlg::MoveProfile(int row, BOOL up) {
  const int count = static_cast<int>(m_profiles.size());
  if (row == -1) row = SelectedRow();
  if (count == 0 || row < 0 || row >= count) return -1;
  if (up && row == 0) return count;
  if (!up && row == count - 1) return row;
  const int target = up ? row - 1 : row + 1;
  std::swap(m_profiles[row], m_profiles[target]);
  RebuildList();
  NotifyUIInt(BRIDGE_UI_PROFILE_SELECT, target, TRUE);
  return target;
}

int CPageProfileDlg::FindProfile(LPCSTR ssid) const {
  for (size_t i = 0; i < m_profiles.size(); ++i)
    if (std::strcmp(m_profiles[i].Ssid, ssid ? ssid : "") == 0) return static_cast<int>(i);
  return -1;
}

int CPageProfileDlg::FindProfileByName(LPCSTR name) const {
  for (size_t i = 0; i < m_profiles.size(); ++i)
    if (std::strcmp(m_profiles[i].Name, name ? name : "") == 0) return static_cast<int>(i);
  return -1;
}

void CPageProfileDlg::DeleteProfilesBySsid(LPCSTR ssid) {
  const CString wanted = ssid ? ssid : "";
  for (int row = 0; row < static_cast<int>(m_profiles.size());) {
    if (m_profiles[row].Ssid != wanted) {
      ++row;
      continue;
    }
    const size_t before = m_profiles.size();
    SetListSelected(&m_list, row, 0, 0);
    OnDelete();
    if (m_profiles.size() >= before) ++row;
  }
}

BOOL CPageProfileDlg::GetNewProfileName(CString& name) const {
  const CString base = GetMLText(kUnnamedBase);
  const int baseLength = base.GetLength();
  long largest = 0;
  for (const _PROFILE_LIST_ITEM& item : m_profiles) {
    if (item.Name.GetLength() < baseLength || item.Name.Left(baseLength).CompareNoCase(base) != 0) continue;
    const char* digits = static_cast<LPCSTR>(item.Name) + baseLength;
    char* end = nullptr;
    const long number = std::strtol(digits, &end, 10);
    if (number > kLargestNameNumber) continue;
    largest = std::max(largest, number);
  }
  name.Format("%s%ld", static_cast<LPCSTR>(base), largest + 1);
  name.Trim();
  return TRUE;
}

CString CPageProfileDlg::OrderFileName() {
  char path[MAX_PATH] = "";
  GetModuleFileName(nullptr, path, sizeof path);
  char* slash = std::strrchr(path, '\\');
  if (slash) slash[1] = '\0';
  CString name;
  name.Format("%sProfilesAlign.dat", path);
  return name;
}

std::vector<CString> CPageProfileDlg::ParseOrderText(const CString& text) {
  std::vector<CString> names;
  const char* at = text;
  const char* const end = at + text.GetLength();
  while (at < end) {
    const char* stop = at;
    while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
    if (stop > at) names.emplace_back(at, static_cast<int>(stop - at));
    at = stop + 1;
  }
  return names;
}

CString CPageProfileDlg::MakeOrderText(const std::vector<CString>& names) {
  CString text;
  for (size_t i = 0; i < names.size(); ++i) {
    const bool duplicate = std::any_of(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(i),
                                       [&](const CString& before) { return IsSameSectionName(before, names[i]); });
    if (duplicate) continue;
    if (!text.IsEmpty()) text += "\r\n";
    text += names[i];
  }
  return text;
}

void CPageProfileDlg::SaveProfileOrder() {
  std::vector<CString> names;
  for (const _PROFILE_LIST_ITEM& item : m_profiles) names.push_back(item.Name);
  const CString text = MakeOrderText(names);
  // A write error is ignored: the list keeps the store's order next time.
  WriteFileAtomically(OrderFileName(), std::string(text, static_cast<size_t>(text.GetLength())));
}

void CPageProfileDlg::ApplySavedOrder() {
  std::string bytes;
  if (!ReadWholeFile(OrderFileName(), bytes) || bytes.empty()) return;
  const CString text(bytes.data(), static_cast<int>(bytes.size()));
  std::vector<_PROFILE_LIST_ITEM> ordered;
  std::vector<bool> taken(m_profiles.size(), false);
  for (const CString& name : ParseOrderText(text)) {
    for (size_t i = 0; i < m_profiles.size(); ++i) {
      if (taken[i] || m_profiles[i].Name != name) continue;
      taken[i] = true;
      ordered.push_back(m_profiles[i]);
      break;
    }
  }
  m_profiles = std::move(ordered);
  RebuildList();
}

void CPageProfileDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kProfilePageTimer) {
    CDialog::OnTimer(nIDEvent);
    return;
  }
  if (m_curProfileName.IsEmpty() || FindProfileByName(m_curProfileName) < 0 || !g_pNativeWiFi) return;
  BOOL connected = FALSE;
  BYTE bssid[6] = {};
  if (g_pNativeWiFi->IsConnected(&connected) != ERROR_SUCCESS || !connected) return;
  g_pNativeWiFi->GetCurrentBssid(bssid);
  const bool anyBssid = std::any_of(std::begin(bssid), std::end(bssid), [](BYTE b) { return b != 0; });
  if (anyBssid && g_bConnectedByProfile && !g_bWpsConnect) m_linkFlag = 0;
}

void CPageProfileDlg::OnDestroy() {
  CDialog::OnDestroy();
  SaveProfileOrder();
  if (m_nTimer) KillTimer(m_nTimer);
  m_nTimer = 0;
}

void CPageProfileDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(0, 0, client.Width(), 1, GetSysColor(COLOR_BTNSHADOW));
  dc.FillSolidRect(0, 1, client.Width(), 1, GetSysColor(COLOR_BTNHIGHLIGHT));
}
