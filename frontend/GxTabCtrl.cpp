#include "frontend/GxTabCtrl.h"

#include <utility>

BEGIN_MESSAGE_MAP(CGxTabCtrl, CStatic)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CGxTabCtrl::CGxTabCtrl() { m_owner = this; }

// The pages belong to the caller and are usually members of a derived
// control, gone by the time this runs: only the labels and entries go here.
CGxTabCtrl::~CGxTabCtrl() {
  m_pages.clear();
  m_curSel = -1;
}

BOOL CGxTabCtrl::AddPage(const CString& label, CGxTabPage* page, UINT templateId, CGxBtn_ChkRadio** button) {
  if (!page) return FALSE;
  const int index = GetPageCount();
  auto radio = std::make_unique<CGxBtn_ChkRadio>();
  radio->Enable_AutoSetAttr(FALSE);
  radio->SetBtnData(static_cast<DWORD>(index));
  if (!radio->Create(label, WS_CHILD | BS_AUTORADIOBUTTON, CRect(0, 0, 0, 0), this, kFirstLabelId + index)) {
    return FALSE;
  }
  radio->ShowWindow(SW_SHOW);
  if (index == 0) radio->ModifyStyle(0, WS_GROUP);
  CGxBtn_ChkRadio* created = radio.get();
  _sheet_data sheet;
  sheet.templateId = templateId;
  sheet.page = page;
  sheet.button = std::move(radio);
  m_pages.push_back(std::move(sheet));
  if (button) *button = created;
  return TRUE;
}

LRESULT CGxTabCtrl::NotifyParent(_notify_data* data) {
  CWnd* parent = GetParent();
  if (!parent) return 0;
  return parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(data));
}

BOOL CGxTabCtrl::CanSelectPage(int) { return TRUE; }

int CGxTabCtrl::SetCurSel(int index) {
  if (!InRange(index)) return -1;
  if (index == m_curSel) return index;
  if (!CanSelectPage(index)) return -1;
  const int old = m_curSel;
  m_curSel = index;
  ShowPage(index, TRUE);
  ShowPage(old, FALSE);
  OnPageSwitched(old, index);
  return old;
}

int CGxTabCtrl::SelectPage(CGxTabPage* page) {
  const int index = FindPage(page);
  return index < 0 ? -1 : SetCurSel(index);
}

void CGxTabCtrl::ShowPage(int index, BOOL show) {
  if (!CreatePageWindow(index)) return;
  if (show) RecalcLayout();
  // The page's own initialisation may have changed the list: look it up again.
  if (!InRange(index)) return;
  m_pages[index].page->ShowWindow(show ? SW_SHOW : SW_HIDE);
  m_pages[index].button->SendMessage(BM_SETCHECK, show ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CGxTabCtrl::CreatePageWindow(int index) {
  if (!InRange(index)) return FALSE;
  CGxTabPage* page = m_pages[index].page;
  if (page->GetSafeHwnd()) return TRUE;
  // A page's dialog gives its first control the focus as it is made. When
  // the keyboard is on this control (a label walked with the arrow keys),
  // it stays there.
  const HWND focus = ::GetFocus();
  const bool focusHere = focus && ::IsChild(GetSafeHwnd(), focus);
  const BOOL made = page->Create(m_pages[index].templateId, this);
  if (made && focusHere && ::IsWindow(focus) && ::GetFocus() != focus) ::SetFocus(focus);
  return made;
}

void CGxTabCtrl::CreateAllPageWindows() {
  for (int i = 0; i < GetPageCount(); ++i) CreatePageWindow(i);
}

int CGxTabCtrl::FindPage(CGxTabPage* page) const {
  if (!page) return -1;
  for (int i = 0; i < GetPageCount(); ++i) {
    if (m_pages[i].page == page) return i;
  }
  return -1;
}

CGxTabPage* CGxTabCtrl::GetPage(int index) const { return InRange(index) ? m_pages[index].page : nullptr; }

CGxTabPage* CGxTabCtrl::GetCurPage() const { return GetPage(m_curSel); }

BOOL CGxTabCtrl::IsPageHidden(CGxTabPage* page) const {
  const int index = FindPage(page);
  return index < 0 ? FALSE : m_pages[index].hidden;
}

CGxBtn_ChkRadio* CGxTabCtrl::GetLabel(int index) const {
  return InRange(index) ? m_pages[index].button.get() : nullptr;
}

void CGxTabCtrl::HideTab(int index) {
  if (!InRange(index)) return;
  if (index == m_curSel) {
    for (int other = 0; other < GetPageCount(); ++other) {
      if (other != index) {
        SetCurSel(other);
        break;
      }
    }
  }
  if (!InRange(index)) return;
  m_pages[index].button->ShowWindow(SW_HIDE);
  m_pages[index].hidden = TRUE;
  RecalcLayout();
}

void CGxTabCtrl::ShowTab(int index) {
  if (!InRange(index)) return;
  m_pages[index].button->ShowWindow(SW_SHOW);
  m_pages[index].hidden = FALSE;
  RecalcLayout();
}

void CGxTabCtrl::RemovePage(int index) {
  if (!InRange(index)) return;
  CGxTabPage* page = m_pages[index].page;
  if (page->GetSafeHwnd()) page->DestroyWindow();
  if (!InRange(index)) return;
  m_pages.erase(m_pages.begin() + index);
  if (m_curSel == index) {
    m_curSel = -1;
  } else if (m_curSel > index) {
    --m_curSel;
  }
  NumberLabels();
  RecalcLayout();
  if (GetSafeHwnd()) Invalidate();
}

void CGxTabCtrl::RemoveAllPages() {
  while (GetPageCount() > 0) RemovePage(GetPageCount() - 1);
}

void CGxTabCtrl::NumberLabels() {
  for (int i = 0; i < GetPageCount(); ++i) {
    CGxBtn_ChkRadio* label = m_pages[i].button.get();
    label->SetBtnData(static_cast<DWORD>(i));
    if (!label->GetSafeHwnd()) continue;
    label->SetDlgCtrlID(static_cast<int>(kFirstLabelId) + i);
    if (i == 0) label->ModifyStyle(0, WS_GROUP);
  }
}

void CGxTabCtrl::RecalcLayout() {
  if (!GetSafeHwnd()) return;
  CRect client;
  GetClientRect(&client);
  int left = kFirstLabelLeft;
  int labelsBottom = client.top + 1;
  for (auto& sheet : m_pages) {
    if (sheet.hidden || !sheet.button->GetSafeHwnd()) continue;
    CRect skin;
    sheet.button->GetClientRect(&skin);
    sheet.button->MoveWindow(left, client.top, skin.Width(), skin.Height());
    left += skin.Width() + kLabelGap;
    labelsBottom = client.top + skin.Height();
  }
  CGxTabPage* current = GetCurPage();
  if (!current || !current->GetSafeHwnd()) return;
  CRect pageRect = client;
  pageRect.top = labelsBottom - 1;
  pageRect.right += kPageRightOverhang;
  current->MoveWindow(&pageRect);
  EraseBkgndAndRedraw(this);
}

void CGxTabCtrl::SetBkPicture(std::unique_ptr<CPictureDraw> picture) {
  m_bkPicture = std::move(picture);
  if (GetSafeHwnd()) Invalidate();
}

void CGxTabCtrl::OnPageSwitched(int oldIndex, int newIndex) { SendPageSwitch(GXTN_PAGECHANGED, oldIndex, newIndex); }

void CGxTabCtrl::SendPageSwitch(UINT code, int oldIndex, int newIndex) {
  _notify_data data{};
  data.hdr.hwndFrom = m_hWnd;
  data.hdr.idFrom = static_cast<UINT_PTR>(GetSafeHwnd() ? GetDlgCtrlID() : 0);
  data.hdr.code = code;
  data.newPage = GetPage(newIndex);
  data.newIndex = newIndex;
  data.oldPage = GetPage(oldIndex);
  data.oldIndex = oldIndex;
  if (data.newPage && ::IsWindow(data.newPage->GetSafeHwnd())) data.newPage->SendMessage(WM_TABPAGE_ENTER, 0, 0);
  if (data.oldPage && ::IsWindow(data.oldPage->GetSafeHwnd())) data.oldPage->SendMessage(WM_TABPAGE_LEAVE, 0, 0);
  NotifyParent(&data);
}

BOOL CGxTabCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr && hdr->code == GXBN_CHECKCHANGED) {
    for (int i = 0; i < GetPageCount(); ++i) {
      CGxBtn_ChkRadio* label = m_pages[i].button.get();
      if (label->GetSafeHwnd() != hdr->hwndFrom) continue;
      if (label->SendMessage(BM_GETCHECK) != BST_UNCHECKED) {
        int index = static_cast<int>(label->GetBtnData());
        if (!InRange(index)) index = m_curSel;
        SetCurSel(index);
      }
      break;
    }
  }
  return CStatic::OnNotify(wParam, lParam, pResult);
}

void CGxTabCtrl::PreSubclassWindow() {
  if (GetExStyle() & WS_EX_DLGMODALFRAME) ModifyStyleEx(WS_EX_DLGMODALFRAME, 0);
  CStatic::PreSubclassWindow();
}

BOOL CGxTabCtrl::OnEraseBkgnd(CDC* dc) {
  if (m_bkBrush.GetSafeHandle()) {
    CRect client;
    GetClientRect(&client);
    dc->FillRect(&client, &m_bkBrush);
    dc->DrawEdge(&client, BDR_SUNKENOUTER, BF_RECT);
  }
  if (!m_bkPicture) return FALSE;
  m_bkPicture->EraseBackground(dc);
  return CStatic::OnEraseBkgnd(dc);
}

void CGxTabCtrl::OnPaint() {
  CPaintDC dc(this);
  if (m_bkPicture) m_bkPicture->Draw(&dc);
}

void CGxTabCtrl::OnDestroy() {
  CStatic::OnDestroy();
  for (auto& sheet : m_pages) {
    if (sheet.page->GetSafeHwnd()) sheet.page->DestroyWindow();
  }
}
