// CGxEdit: the skinned edit box. It colours itself by state (normal, focused,
// read-only or disabled), can draw its own rounded edge, filters typed
// characters by a parse type, can refuse all editing, can keep its selection
// across focus changes and can take the TAB key as text.
#pragma once

#include "platform/Platform.h"
#include "skinvane/WndCommonAttr.h"

// No character filter.
#define GX_PARSE_NONE 0xFFFF

class CGxEdit : public CEdit, public CWndCommonAttr {
 public:
  CGxEdit();
  ~CGxEdit() override;

  int Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // A character is accepted when its class value and the type share a bit.
  int SetParseType(WORD type);
  // The class value of a typed character.
  static WORD CharClass(UINT ch);

  int SetBkColorFocus(COLORREF colour);
  int GetBkColorFocus(COLORREF& colour) const;
  int SetTextColorFocus(COLORREF colour);
  int GetTextColorFocus(COLORREF& colour) const;
  // 0 swallows keys, characters, the context menu and paste.
  int EnableEditing(int enable);
  void EnableCatchTAB() { m_catchTab = 1; }
  void NotSelAllWhenGetFocus() { m_keepSelection = 1; }
  void SetOwnDrawEdge(int own) { m_ownEdge = own; }

  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void PreSubclassWindow() override;
  // A refused character: the simple beep.
  virtual void OnBadInput();

  HBRUSH CtlColor(CDC* dc, UINT ctlColor);
  BOOL OnEraseBkgnd(CDC* dc);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  void OnSetFocus(CWnd* oldWnd);
  void OnKillFocus(CWnd* newWnd);
  int OnCreate(LPCREATESTRUCT createStruct);
  void OnLButtonUp(UINT flags, CPoint point);
  BOOL OnEnChange();

  DECLARE_MESSAGE_MAP()

 private:
  bool ReadOnlyLook() const;
  // The background bitmap; TRUE when the own edge is on.
  BOOL PaintBackground(CDC* dc);
  // The own edge around the client area, in the non-client paint.
  void PaintEdge();
  void RepaintWithParent();

  COLORREF m_focusTextColor;
  COLORREF m_focusBkColor = 0xFFFFC8;
  COLORREF m_readOnlyBkColor = 0xC8E6E6;
  CBrush m_focusBrush;
  CBrush m_readOnlyBrush;
  int m_focused = 0;
  int m_editingEnabled = 1;
  int m_createdByCreate = 0;
  int m_catchTab = 0;
  int m_tabCaught = 0;
  int m_keepSelection = 0;
  int m_selStart = 0;
  int m_selEnd = 0;
  int m_ownEdge = 0;
  WORD m_parseType = GX_PARSE_NONE;
};
