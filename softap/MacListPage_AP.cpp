#include "softap/MacListPage_AP.h"

#include "softap/ApMacList.h"
#include "softap/ApModule.h"
#include "softap/ApSettings.h"

namespace {

// Typed characters the MAC edits take: hexadecimal digits.
constexpr WORD kHexDigitsMask = 0x40;

}  // namespace

BEGIN_MESSAGE_MAP(CMacListPage_AP, CPropertyPage)
  ON_BN_CLICKED(CMacListPage_AP::kAddId, &CMacListPage_AP::OnAdd)
  ON_BN_CLICKED(CMacListPage_AP::kDeleteId, &CMacListPage_AP::OnDelete)
  ON_BN_CLICKED(CMacListPage_AP::kRemoveAllId, &CMacListPage_AP::OnRemoveAll)
  ON_BN_CLICKED(CMacListPage_AP::kModifyId, &CMacListPage_AP::OnModify)
  ON_BN_CLICKED(CMacListPage_AP::kChangeCancelId, &CMacListPage_AP::OnCancelChange)
END_MESSAGE_MAP()

CMacListPage_AP::CMacListPage_AP(LPCSTR templateName, UINT listId, int maxRows)
    : CPropertyPage(templateName), m_nListId(listId), m_nMaxRows(maxRows) {}

void CMacListPage_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, m_nListId, m_list);
  DDX_Control(pDX, kMacEditId, m_macEdit);
  DDX_Control(pDX, kChangeEditId, m_changeEdit);
  DDX_Text(pDX, kMacEditId, m_strMac);
}

BOOL CMacListPage_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_list.SetItemHeight(0, static_cast<UINT>(m_list.GetItemHeight(0) * 1.5));
  m_macEdit.SetCharClassMask(kHexDigitsMask);
  m_changeEdit.SetCharClassMask(kHexDigitsMask);
  return TRUE;
}

std::vector<CString> CMacListPage_AP::GetRows() const {
  std::vector<CString> rows;
  if (!m_list.GetSafeHwnd()) return rows;
  CString row;
  for (int i = 0; i < m_list.GetCount(); ++i) {
    m_list.GetText(i, row);
    rows.push_back(row);
  }
  return rows;
}

BOOL CMacListPage_AP::IsChanging() const {
  const CWnd* edit = GetDlgItem(kChangeEditId);
  return edit && edit->IsWindowVisible();
}

void CMacListPage_AP::EnableControl(UINT id, BOOL bEnable) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(bEnable);
}

void CMacListPage_AP::OnRowAdded(const CString&) {}
void CMacListPage_AP::OnRowDeleted(int) {}
void CMacListPage_AP::OnRowChanged(int, const CString&) {}
void CMacListPage_AP::OnListCleared() {}

void CMacListPage_AP::EnableListControls(BOOL bOn) {
  EnableControl(m_nListId, bOn);
  EnableControl(kMacEditId, bOn);
  EnableControl(kAddId, bOn && HasRoom());
  EnableControl(kDeleteId, bOn);
  EnableControl(kRemoveAllId, bOn);
}

void CMacListPage_AP::AddRows(const std::vector<CString>& rows) {
  for (const CString& row : rows) {
    if (m_list.FindStringExact(-1, row) >= 0) continue;
    m_list.AddString(row);
    OnRowAdded(row);
  }
}

void CMacListPage_AP::OnAdd() { AddTypedMac(); }

BOOL CMacListPage_AP::AddTypedMac() {
  UpdateData(TRUE);
  if (!CheckNewMac(m_strMac, m_list)) return FALSE;
  const CString row = InsertMacDashes(m_strMac);
  m_list.AddString(row);
  OnRowAdded(row);
  if (!HasRoom()) EnableControl(kAddId, FALSE);
  return TRUE;
}

void CMacListPage_AP::OnDelete() {
  const int row = m_list.GetCurSel();
  if (row < 0) return;
  m_list.DeleteString(static_cast<UINT>(row));
  OnRowDeleted(row);
  EnableControl(kAddId, TRUE);
}

void CMacListPage_AP::OnRemoveAll() {
  m_list.ResetContent();
  OnListCleared();
  EnableControl(kAddId, TRUE);
}

void CMacListPage_AP::OnBeginChange() {
  const int row = m_list.GetCurSel();
  if (row < 0) return;
  CString text;
  m_list.GetText(row, text);
  m_changeEdit.SetWindowText(RemoveMacDashes(text));
  LockForChange(TRUE);
  // The edit lies over the row, the two buttons to its right.
  CRect place;
  m_list.GetItemRect(row, &place);
  m_list.ClientToScreen(&place);
  ScreenToClient(&place);
  const int height = place.Height() - 1;
  m_changeEdit.MoveWindow(place.left, place.top, kChangeEditWidth, height);
  int x = place.left + kChangeEditWidth + 1;
  for (UINT id : {kModifyId, kChangeCancelId}) {
    if (CWnd* button = GetDlgItem(id)) {
      button->MoveWindow(x, place.top, kChangeButtonWidth, height);
      button->ShowWindow(SW_SHOW);
    }
    x += kChangeButtonWidth + 1;
  }
  m_changeEdit.ShowWindow(SW_SHOW);
  m_changeEdit.SetFocus();
  m_list.Invalidate();
}

void CMacListPage_AP::OnModify() {
  CString text;
  m_changeEdit.GetWindowText(text);
  if (!CheckNewMac(text, m_list)) return;
  const int row = m_list.GetCurSel();
  if (row >= 0) {
    const CString address = InsertMacDashes(text);
    m_list.DeleteString(static_cast<UINT>(row));
    OnRowDeleted(row);
    m_list.InsertString(row, address);
    OnRowChanged(row, address);
  }
  HideChangeControls();
  LockForChange(FALSE);
}

void CMacListPage_AP::OnCancelChange() {
  HideChangeControls();
  LockForChange(FALSE);
}

void CMacListPage_AP::HideChangeControls() {
  m_changeEdit.SetWindowText("");
  m_changeEdit.ShowWindow(SW_HIDE);
  for (UINT id : {kModifyId, kChangeCancelId})
    if (CWnd* button = GetDlgItem(id)) button->ShowWindow(SW_HIDE);
}

void CMacListPage_AP::OnCancel() {
  if (IsChanging()) OnCancelChange();
}

BOOL CMacListPage_AP::OnKillActive() {
  OnCancel();
  return CPropertyPage::OnKillActive();
}

void CMacListPage_AP::StoreRows(HKEY key, LPCSTR name, const std::vector<CString>& rows, const CString& keyPath) {
  const std::string list = BuildMacMultiString(rows);
  RegSetValueEx_AP(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                   static_cast<DWORD>(list.size()), keyPath);
}

void CMacListPage_AP::CopyApDefaultToDriverKey() {
  HKEY source = nullptr;
  HKEY driverKey = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey + "\\ApDefault", 0, KEY_READ, &source);
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &driverKey);
  CopyRegistryValues(source, driverKey, g_strApDriverKey);
  if (source) RegCloseKey(source);
  if (driverKey) RegCloseKey(driverKey);
}
