#include "frontend/DlgMessageBox.h"

#include "frontend/SkinFunctions.h"
#include "utilmere/Utilmere.h"

namespace {

CDlgMessageBox* g_current = nullptr;

// The icon index of the type's icon bits and the caption that goes with it.
struct IconChoice {
  int index;
  const char* caption;
};

IconChoice iconOf(UINT type) {
  const UINT bits = type & 0xF0;
  switch (bits) {
    case MB_ICONINFORMATION:
      return {0, "Information"};
    case MB_ICONWARNING:
      return {1, "Warning"};
    case MB_ICONQUESTION:
      return {2, "Question"};
    case MB_ICONERROR:
      return {3, "Error"};
    default:
      return {static_cast<int>(bits), "Information"};
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgMessageBox, CPolygonDialog)
  ON_COMMAND(IDYES, &CDlgMessageBox::OnYes)
  ON_COMMAND(IDNO, &CDlgMessageBox::OnNo)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgMessageBox::CDlgMessageBox(CWnd* parent) : CPolygonDialog(IDD, parent) {
  SetRegionFile(FormatString("%sSkin\\DlgMessageBox.bmp", GetCurDir()), 0x00FFFF);
}

CDlgMessageBox::~CDlgMessageBox() {
  Unlist();
}

CDlgMessageBox* CDlgMessageBox::GetCurrent() { return g_current; }

void CDlgMessageBox::DoDataExchange(CDataExchange* dx) {
  CPolygonDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_MSGBOX_CAPTION, m_editCaption);
  DDX_Control(dx, IDC_MSGBOX_ICON, m_picIcon);
  DDX_Control(dx, IDCANCEL, m_btnClose);
  DDX_Control(dx, IDC_MSGBOX_TEXT, m_editText);
  DDX_Control(dx, IDOK, m_btnOK);
  DDX_Control(dx, IDYES, m_btnYes);
  DDX_Control(dx, IDNO, m_btnNo);
  DDX_Text(dx, IDC_MSGBOX_CAPTION, m_strCaption);
  DDX_Text(dx, IDC_MSGBOX_TEXT, m_strText);
}

BOOL CDlgMessageBox::OnInitDialog() {
  CPolygonDialog::OnInitDialog();
  m_outer = g_current;
  g_current = this;

  SkinDialogText(&m_editCaption, 10, 1);
  SkinDialogText(&m_editText, 9, 0);
  SkinCommonButton(&m_btnOK, 1, nullptr, nullptr);
  SkinCommonButton(&m_btnYes, 1, nullptr, nullptr);
  SkinCommonButton(&m_btnNo, 1, nullptr, nullptr);
  m_btnClose.SetBtnAttr_Pic(FormatString("%sSkin\\btnInsideUIClose.bmp", GetCurDir()), 4, "Close the dialog", 1);

  MessageBeep(static_cast<UINT>(m_nType));
  const IconChoice icon = iconOf(static_cast<UINT>(m_nType));
  m_nType = icon.index;
  if (m_strCaption.IsEmpty()) m_strCaption = icon.caption;
  m_strCaption = GetMLText(m_strCaption);
  m_strText = GetMLText(m_strText);
  m_picIcon.LoadIconFile(FormatString("%sSkin\\MsgBox_%d.ico", GetCurDir(), m_nType));

  const bool question = m_nType == 2;
  m_btnYes.ShowWindow(question ? SW_SHOW : SW_HIDE);
  m_btnNo.ShowWindow(question ? SW_SHOW : SW_HIDE);
  m_btnOK.ShowWindow(question ? SW_HIDE : SW_SHOW);

  ActiveWindowToForeground(this);
  SetWindowLong(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  UpdateData(FALSE);
  UpdateWndLanguage(this);
  return TRUE;
}

void CDlgMessageBox::OnYes() { EndDialog(IDYES); }

void CDlgMessageBox::OnNo() { EndDialog(IDNO); }

void CDlgMessageBox::OnDestroy() {
  CPolygonDialog::OnDestroy();
  Unlist();
}

void CDlgMessageBox::Unlist() {
  // The box that was current before this one takes the place back; a box
  // closed out of order is just taken out of the chain.
  for (CDlgMessageBox** link = &g_current; *link != nullptr; link = &(*link)->m_outer) {
    if (*link == this) {
      *link = m_outer;
      break;
    }
  }
  m_outer = nullptr;
}
