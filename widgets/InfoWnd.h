// CInfoWnd: a small pop-up that shows one line of text beside a control for
// four seconds (timer 1) or until the left mouse button is released on it.
// A ShowInfo while it is visible is ignored, so the first message stays.
//
// Window class "ST_InfoWnd" (CS_SAVEBITS), registered by the first
// constructor of the process; its background brush is the colour given to
// that first constructor, whatever later ones are given.
#pragma once

#include "platform/Platform.h"

class CInfoWnd : public CWnd {
 public:
  static constexpr char kClassName[] = "ST_InfoWnd";
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kShowTime = 4000;
  // Placement flags, tested in this order; none: above the control.
  static constexpr int kBelow = 1;
  static constexpr int kRight = 8;
  static constexpr int kLeft = 2;

  explicit CInfoWnd(COLORREF crBackground);
  ~CInfoWnd() override = default;

  // A hidden pop-up owned by (and using the font of) `pOwner`.
  virtual BOOL Create(CWnd* pOwner);
  void ShowInfo(CWnd* pControl, LPCTSTR lpszText);
  void HideInfo();
  void SetPlacement(int nFlags) { m_nPlacement = nFlags; }
  const CString& GetText() const { return m_strText; }
  const CRect& GetShownRect() const { return m_rcShown; }

 protected:
  void OnPaint();
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()

 private:
  CWnd* m_pOwner = nullptr;
  CRect m_rcShown;
  CString m_strText;
  int m_nGapX = 2;
  int m_nGapY = 2;
  int m_nPlacement = 0;
  UINT_PTR m_nTimer = 0;
};
