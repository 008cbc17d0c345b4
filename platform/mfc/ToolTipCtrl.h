// CToolTipCtrl: the tooltip control.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/commctrl/ToolTip.h"

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)

 public:
  // A popup tooltip owned by pParentWnd (TTS_NOPREFIX plus dwStyle).
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

  // Tool nIDTool of pWnd over lpRectTool; with nIDTool 0 the tool is the
  // whole window pWnd, named by its handle.
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
  void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
  void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
  int SetMaxTipWidth(int iWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }
  void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(nDelay)); }
  void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
  int GetDelayTime(DWORD dwDuration) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, dwDuration)); }
  void Pop() { SendMessage(TTM_POP); }

 private:
  static void fillToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool);
};
