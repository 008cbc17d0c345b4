#include "widgets/SmartEdit.h"

#include <cstdlib>

#include "widgets/LinkSlider.h"

namespace {

constexpr COLORREF kInfoColour = 0x8181FF;
constexpr int kNoValue = static_cast<int>(0x80000000u);

}  // namespace

BEGIN_MESSAGE_MAP(CSmartEdit, CEdit)
  ON_WM_CHAR()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CSmartEdit::CSmartEdit() : m_pInfo(std::make_unique<CInfoWnd>(kInfoColour)) {}

CSmartEdit::~CSmartEdit() = default;

void CSmartEdit::SignalBadInput() { MessageBeep(0xFFFFFFFF); }

WORD CSmartEdit::SetCharClassMask(WORD wMask) {
  m_wMask = wMask;
  return m_wMask;
}

WORD CSmartEdit::CharClass(UINT nChar) {
  if (nChar < 32) return 0xFFFF;
  if (nChar >= '0' && nChar <= '9') return 0x55;
  if (nChar == 'E' || nChar == 'e') return 0x46;
  if ((nChar >= 'A' && nChar <= 'F') || (nChar >= 'a' && nChar <= 'f')) return 0x42;
  if ((nChar >= 'A' && nChar <= 'Z') || (nChar >= 'a' && nChar <= 'z')) return 0x02;
  if (nChar == '-') return 0x14;
  if (nChar == '.') return 0x04;
  if (nChar == '_') return 0x28;
  return 0x08;
}

void CSmartEdit::PreSubclassWindow() {
  CEdit::PreSubclassWindow();
  m_pInfo->Create(GetParent());
}

void CSmartEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_wMask & CharClass(nChar))
    CEdit::OnChar(nChar, nRepCnt, nFlags);
  else
    SignalBadInput();
}

void CSmartEdit::LinkSlider(CWnd* pParent, int nID) {
  CWnd* control = pParent ? pParent->GetDlgItem(nID) : nullptr;
  m_pSlider = control ? dynamic_cast<CLinkSlider*>(CWnd::FromHandlePermanent(control->GetSafeHwnd())) : nullptr;
  if (m_pSlider) m_pSlider->SetLinkedEdit(this);
}

BOOL CSmartEdit::SetIntValue(int nValue) {
  if (nValue < m_nMin || nValue > m_nMax) return FALSE;
  CString text;
  text.Format("%d", nValue);
  SetWindowText(text);
  return TRUE;
}

BOOL CSmartEdit::SetIntRange(int nMin, int nMax, int nLineSize, int nPageSize) {
  m_nMin = nMin;
  m_nMax = nMax;
  if (m_pSlider) {
    m_pSlider->SetLinkedEdit(this);
    m_pSlider->SetRange(nMin, nMax);
    m_pSlider->SendMessage(TBM_SETLINESIZE, 0, nLineSize);
    m_pSlider->SendMessage(TBM_SETPAGESIZE, 0, nPageSize);
  }
  m_wMask = nMin < 0 ? kSignedDigits : kDigits;
  return TRUE;
}

BOOL CSmartEdit::SetValueText(int nValue) {
  if (nValue == m_nLast) return FALSE;
  m_nLast = nValue;
  CString text;
  text.Format("%d", nValue);
  SetWindowText(text);
  return TRUE;
}

void CSmartEdit::OnKillFocus(CWnd* pNewWnd) {
  CEdit::OnKillFocus(pNewWnd);
  if (!m_pSlider) return;
  char text[kMaxText + 1] = {};
  GetWindowText(text, kMaxText + 1);
  const int read = atoi(text);
  const int value = read < m_nMin ? m_nMin : read > m_nMax ? m_nMax : read;
  const bool corrected = value != read;
  if (corrected) SignalBadInput();
  m_pSlider->SetLinkedPos(value);
  if (corrected) {
    m_nLast = kNoValue;
    SetValueText(value);
  }
}
