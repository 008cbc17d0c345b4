#include "skinvane/GxBtnChkRadio.h"

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF kStripKey = 0x00FFFF;
constexpr int kStripFrames = 6;

}  // namespace

BEGIN_MESSAGE_MAP(CGxBtn_ChkRadio, CGxBtn_Pic)
  ON_MESSAGE(BM_SETCHECK, &CGxBtn_ChkRadio::OnSetCheck)
  ON_MESSAGE(BM_GETCHECK, &CGxBtn_ChkRadio::OnGetCheck)
  ON_MESSAGE(WM_GX_RADIO_UNCHECK, &CGxBtn_ChkRadio::OnRadioUncheck)
  ON_WM_LBUTTONUP()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CGxBtn_ChkRadio::CGxBtn_ChkRadio() { m_stateCount = 6; }

CGxBtn_ChkRadio::~CGxBtn_ChkRadio() = default;

void CGxBtn_ChkRadio::SetBmpFile(const char* path) {
  if (!path || !IsFileExist(path)) return;
  m_stripFile = path;
  DeleteImageList(m_imageList);
}

void CGxBtn_ChkRadio::Init() {
  if (m_initialised) return;
  // A check made before this object took the control over is kept by the
  // control's own procedure; read it before the base makes the button
  // owner-drawn (a type that has no check state).
  const int checked = GetSafeHwnd() ? ControlCheck() : 0;
  CGxBtn_Pic::Init();
  if (m_btnType == BS_AUTOCHECKBOX) {
    m_btnType = kCheckBoxType;
  } else if (m_btnType == BS_AUTORADIOBUTTON) {
    m_btnType = kRadioType;
  }
  m_checked = checked;
}

int CGxBtn_ChkRadio::ControlCheck() {
  // Once subclassed, BM_GETCHECK would reach this object's own handler: ask
  // the procedure under it. Before (while the control is being taken over)
  // the message still goes straight to the control.
  if (m_pfnSuper) return static_cast<int>(DefWindowProc(BM_GETCHECK, 0, 0));
  return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK, 0, 0));
}

int CGxBtn_ChkRadio::Get_BTNSTATE_Index() {
  if (GetSafeHwnd() && !IsWindowEnabled()) return m_checked ? CHKSTATE_DISABLED_CHECKED : CHKSTATE_DISABLED_UNCHECKED;
  if (m_checked) return m_mouseOver ? CHKSTATE_CHECKED_HOVER : CHKSTATE_CHECKED;
  return m_mouseOver ? CHKSTATE_UNCHECKED_HOVER : CHKSTATE_UNCHECKED;
}

void CGxBtn_ChkRadio::SetNormalAttr() {
  EnableDrawFocusRect(0);
  SetBtn_Font(-1, 7, 0, 0, 0, "MS Sans Serif");
  SetBtn_Cursor(0, LoadCursor(nullptr, IDC_HAND));
  const COLORREF colours[kStripFrames] = {0xB25125, 0xFAC800, 0x404000, 0x808000, 0x404040, 0x808080};
  for (int state = 0; state < kStripFrames; ++state) SetBtn_TextColor(state, colours[state]);
  SetBtn_VisitedColor(0x000080);
  m_autoAdjust = 0;
  m_picMode = BKPIC_LEFT;
  m_textFormat = DT_VCENTER | DT_SINGLELINE;
  AdjustPosition();
}

void CGxBtn_ChkRadio::DrawItem(LPDRAWITEMSTRUCT drawItem) {
  if (!m_imageList.GetSafeHandle() && !m_stripFile.IsEmpty()) SetBtn_PicBmp(kStripFrames, kStripKey, m_stripFile);
  CGxBtn_Pic::DrawItem(drawItem);
}

LRESULT CGxBtn_ChkRadio::OnSetCheck(WPARAM check, LPARAM) {
  m_checked = static_cast<int>(check);
  CWnd* parent = GetParent();
  if ((m_btnType & kRadioType) && check && parent) {
    std::vector<HWND> seen;
    HWND current = m_hWnd;
    for (;;) {
      HWND next = GetNextDlgGroupItem(parent->GetSafeHwnd(), current, FALSE);
      if (!next || next == m_hWnd || std::find(seen.begin(), seen.end(), next) != seen.end()) break;
      seen.push_back(next);
      ::SendMessage(next, WM_GX_RADIO_UNCHECK, 0, 0);
      current = next;
    }
  }
  EraseBkgndAndRedraw(this);
  return 0;
}

LRESULT CGxBtn_ChkRadio::OnGetCheck(WPARAM, LPARAM) { return m_checked; }

LRESULT CGxBtn_ChkRadio::OnRadioUncheck(WPARAM, LPARAM) {
  if (m_btnType == kRadioType) SetCheckGx(0);
  return 0;
}

void CGxBtn_ChkRadio::SetCheckGx(int check) {
  SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
  NotifyParent();
}

void CGxBtn_ChkRadio::NotifyParent() {
  CWnd* parent = GetParent();
  if (!parent) return;
  _notify_data data = {};
  data.hdr.hwndFrom = m_hWnd;
  data.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  data.hdr.code = GXBN_CHECKCHANGED;
  data.button = this;
  parent->SendMessage(WM_NOTIFY, data.hdr.idFrom, reinterpret_cast<LPARAM>(&data));
}

void CGxBtn_ChkRadio::UserAction() {
  if (m_btnType == kCheckBoxType) {
    SetCheckGx(!m_checked);
  } else if (m_btnType == kRadioType) {
    SetCheckGx(1);
  }
}

void CGxBtn_ChkRadio::OnLButtonUp(UINT flags, CPoint point) {
  UserAction();
  CGxBtn_Pic::OnLButtonUp(flags, point);
}

void CGxBtn_ChkRadio::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_SPACE) UserAction();
  CGxBtn_Pic::OnKeyDown(key, repeat, flags);
}

UINT CGxBtn_ChkRadio::OnGetDlgCode() {
  if (m_btnType == kRadioType) return DLGC_RADIOBUTTON;
  return CGxBtn_Pic::OnGetDlgCode();
}
