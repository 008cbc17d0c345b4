#include "station/profiles/PageProfileDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "utilmere/WindowTools.h"
#include "widgets/WidgetMessages.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/StationHost.h"
#include "worker/WholeFile.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr char kUnnamedBase[] = "Unname Profile";
// A number after the base text counts only up to this, so one more never
// passes the int range.
constexpr long kLargestNameNumber = 999999999;
constexpr int kImageConnected = 6;
constexpr int kImageActivated = 7;
constexpr int kImageLock = 5;
constexpr int kImageWidth = 16;
constexpr int kImageGrowth = 24;
// The captions the string table names (the two thresholds keep the template's).
constexpr int kTranslatedCaptions = 9;
constexpr UINT kCaptionStrings[kTranslatedCaptions] = {42, 43, 47, 45, 46, 6258, 44, 6259, 6260};

CString Quoted(const CString& text) { return "\"" + text + "\""; }

}  // namespace

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

void CPageProfileDlg::InitListAndTexts() {
  CString text;
  if (IDS_PROFILE_LIST != 0) {
    text.LoadString(IDS_PROFILE_LIST);
    SetDlgItemText(IDC_PROFILE_GROUP, GetMLText(text));
  }

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
  for (int i = 0; i < kTranslatedCaptions; ++i) {
    text.LoadString(kCaptionStrings[i]);
    SetDlgItemText(kProfileCaptionIds[i], GetMLText(text));
  }
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

void CPageProfileDlg::LeaveVisibleEditor() {
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  CDialog* editor = host ? host->GetSecondaryDialog(kHostDlgProfileEditor) : nullptr;
  // (The host itself is never visible: the editor's own visible style counts.)
  if (editor && editor->GetSafeHwnd() && (editor->GetStyle() & WS_VISIBLE)) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}

void CPageProfileDlg::ActivateRow(int row) {
  m_curProfileName = m_profiles[row].Name;
  g_strCurProfileName = m_curProfileName;
  m_curSsid = m_profiles[row].Ssid;
  ActivateProfile(row);
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

void CPageProfileDlg::ReportDetails() {
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

void CPageProfileDlg::DeleteRowsWhere(const std::function<bool(const _PROFILE_LIST_ITEM&)>& matches) {
  for (int row = 0; row < static_cast<int>(m_profiles.size());) {
    if (!matches(m_profiles[row])) {
      ++row;
      continue;
    }
    const size_t before = m_profiles.size();
    SetListSelected(&m_list, row, 0, 0);
    OnDelete();
    if (m_profiles.size() >= before) ++row;
  }
}

void CPageProfileDlg::DeleteProfilesBySsid(LPCSTR ssid) {
  const CString wanted = ssid ? ssid : "";
  DeleteRowsWhere([&](const _PROFILE_LIST_ITEM& item) { return item.Ssid == wanted; });
}

void CPageProfileDlg::DeleteProfileByName(LPCSTR name) {
  const CString wanted = name ? name : "";
  DeleteRowsWhere([&](const _PROFILE_LIST_ITEM& item) { return item.Name == wanted; });
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
                                       [&](const CString& before) { return IsSameProfileName(before, names[i]); });
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
