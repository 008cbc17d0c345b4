#include "frontend/DlgOneSiteEditor.h"

#include "frontend/SaveWithoutShowingFlag.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelDlg.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr int kOffScreen = -9999;
constexpr int kButtonMargin = 10;
constexpr int kButtonBottomMargin = 5;
constexpr int kButtonGap = 4;
constexpr int kCloseTop = 8;
constexpr int kTabToButtons = 5;

void EnableMainWindow(BOOL bEnable) {
  CWnd* main = AfxGetMainWnd();
  if (main && ::IsWindow(main->GetSafeHwnd())) main->EnableWindow(bEnable);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgOneSiteEditor, CPolygonDialog)
  ON_BN_CLICKED(IDC_SITE_OK, &CDlgOneSiteEditor::OnOkButton)
  ON_BN_CLICKED(IDC_SITE_CANCEL, &CDlgOneSiteEditor::OnCancelButton)
END_MESSAGE_MAP()

CDlgOneSiteEditor::CDlgOneSiteEditor() : CPolygonDialog(IDD_DLG_ONESITEEDITOR, nullptr) {
  m_hIcon = ExtractIcon(AfxGetInstanceHandle(), SiteEditorSkinPath("WirelessKesh.ico"), 0);
  SetRegionFile(SiteEditorSkinPath("DlgOneSiteEditor.bmp"), kSiteSkinKey);
}

CDlgOneSiteEditor::~CDlgOneSiteEditor() {
  if (GetSafeHwnd()) DestroyWindow();
  if (m_hIcon) DestroyIcon(m_hIcon);
}

void CDlgOneSiteEditor::DoDataExchange(CDataExchange* pDX) {
  CPolygonDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SITE_TAB, m_tab);
  DDX_Control(pDX, IDCANCEL, m_btnClose);
  DDX_Control(pDX, IDC_SITE_OK, m_btnOK);
  DDX_Control(pDX, IDC_SITE_CANCEL, m_btnCancel);
  DDX_Control(pDX, IDC_SITE_TITLE, m_title);
}

BOOL CDlgOneSiteEditor::OnInitDialog() {
  CPolygonDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  m_btnClose.SetBtnAttr_Pic(SiteEditorSkinPath("btnInsideUIClose.bmp"), 4, "Close the dialog", 1);
  SkinCommonButton(&m_btnOK, 0, nullptr, nullptr);
  SkinCommonButton(&m_btnCancel, 0, nullptr, nullptr);

  const CString labelStrip = SiteEditorSkinPath("TabCtrlLable_ConfigSite.bmp");
  CGxBtn_ChkRadio* label = nullptr;
  if (m_tab.AddPage(GetMLText("Site Status"), &m_pageInfo, IDD_PAGESITE_INFO, &label) && label) {
    SkinTabLabelButton(label, 1, nullptr, labelStrip);
  }
  label = nullptr;
  if (m_tab.AddPage(GetMLText("Security Setting"), &m_pageSecurity, IDD_PAGESITE_SECURITY, &label) && label) {
    SkinTabLabelButton(label, 1, nullptr, labelStrip);
  }
  // Both pages are made now: the worker fills the security page before it
  // is ever on top.
  m_tab.CreateAllPageWindows();
  m_tab.RecalcLayout();
  m_tab.SetCurSel(0);

  SkinDialogTitle(&m_title);
  m_title.SetWindowText(GetMLText("Site Config"));

  CRect client;
  CWnd::GetClientRect(&client);
  CRect tab;
  m_tab.GetWindowRect(&tab);
  ScreenToClient(&tab);
  m_tab.MoveWindow(0, tab.top, client.right, tab.Height());

  // Nothing shows until ShowEditor.
  GetWindowRect(&m_rcFirstShow);
  MoveWindow(kOffScreen, kOffScreen, kOffScreen, kOffScreen, TRUE);
  SetWindowPos(&CWnd::wndTop, kOffScreen, kOffScreen, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_HIDEWINDOW);
  ShowWindow(SW_HIDE);
  ::SetWindowLong(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);

  LayoutButtons();
  UpdateWndLanguage(this);
  return TRUE;
}

void CDlgOneSiteEditor::LayoutButtons() {
  if (!GetSafeHwnd()) return;
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  const CSize skin = GetBigmapSize();
  CRect cancel, ok, close, tab;
  m_btnCancel.GetWindowRect(&cancel);
  m_btnOK.GetWindowRect(&ok);
  m_btnClose.GetWindowRect(&close);
  m_tab.GetWindowRect(&tab);
  ScreenToClient(&tab);

  const int cancelLeft = skin.cx - kButtonMargin - cancel.Width();
  const int buttonTop = skin.cy - kButtonBottomMargin - cancel.Height();
  m_btnCancel.MoveWindow(cancelLeft, buttonTop, cancel.Width(), cancel.Height());
  const int okLeft = cancelLeft - kButtonGap - ok.Width();
  m_btnOK.MoveWindow(okLeft, buttonTop, ok.Width(), ok.Height());
  m_btnClose.MoveWindow(skin.cx - kButtonMargin - close.Width(), kCloseTop, close.Width(), close.Height());
  m_tab.MoveWindow(client.left, tab.top, skin.cx - client.left, buttonTop - kTabToButtons - tab.top);
  m_tab.RecalcLayout();
}

void CDlgOneSiteEditor::ShowEditor() {
  if (!m_rcFirstShow.IsRectEmpty()) {
    ModifyStyleEx(WS_EX_TOOLWINDOW, 0);
    MoveWindow(&m_rcFirstShow, TRUE);
    m_rcFirstShow.SetRectEmpty();
    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  }
  ShowWindow(SW_SHOW);
  ActiveWindowToForeground(this);
}

void CDlgOneSiteEditor::OpenAsProfileEditor(int& nSaveWithoutShowing) {
  m_tab.ShowTab(0);
  m_tab.SetCurSel(0);
  m_nEditorKind = kProfileEditor;
  if (nSaveWithoutShowing) {
    nSaveWithoutShowing = 0;
    SendMessage(WM_COMMAND, IDC_SITE_OK, 0);
    // OK has hidden the editor and left the main window enabled; a page that
    // failed keeps it shown, and then the main window waits for it.
    if (IsWindowVisible()) EnableMainWindow(FALSE);
    return;
  }
  ShowEditor();
  EnableMainWindow(FALSE);
}

void CDlgOneSiteEditor::OpenAsSecurityEditor() {
  m_tab.HideTab(0);
  m_tab.SetCurSel(1);
  m_nEditorKind = kSecurityEditor;
  ShowEditor();
  EnableMainWindow(FALSE);
}

void CDlgOneSiteEditor::ShowFailedPage() {
  ShowWindow(SW_SHOW);
  SetForegroundWindow();
}

void CDlgOneSiteEditor::OnOkButton() { OnOK(); }

void CDlgOneSiteEditor::OnCancelButton() { OnCancel(); }

void CDlgOneSiteEditor::OnOK() {
  if (!m_tab.IsPageHidden(&m_pageInfo)) {
    m_tab.SelectPage(&m_pageInfo);
    if (!m_pageInfo.Validate()) {
      ShowFailedPage();
      return;
    }
  }
  if (!m_tab.IsPageHidden(&m_pageSecurity)) {
    m_tab.SelectPage(&m_pageSecurity);
    if (!m_pageSecurity.Validate()) {
      ShowFailedPage();
      return;
    }
  }
  m_pageInfo.SendValues();
  m_pageSecurity.SendValues();
  ShowWindow(SW_HIDE);
  EnableMainWindow(TRUE);
  NotifyWorkerInt(BRIDGE_CMD_EDITOR_OK, m_nEditorKind, TRUE);
}

void CDlgOneSiteEditor::OnCancel() {
  ShowWindow(SW_HIDE);
  EnableMainWindow(TRUE);
  if (int* flag = CSaveWithoutShowingFlag::OfMainWindow()) *flag = 0;
  NotifyWorkerInt(BRIDGE_CMD_EDITOR_CANCEL, m_nEditorKind, TRUE);
}
