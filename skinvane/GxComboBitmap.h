// CGxComboBitmap: a drop-down list combo box whose closed face is drawn from
// three bitmap pieces (left, middle, right; normal and disabled sets) and
// whose drop-down list gets four border bitmaps and colour pairs for the
// highlighted, normal and disabled look.
#pragma once

#include "platform/Platform.h"
#include "skinvane/BitListBox.h"

class CGxComboBitmap : public CComboBox {
 public:
  CGxComboBitmap();
  ~CGxComboBitmap() override;

  // Without the style bits 0x4 and 0x8, with CBS_DROPDOWNLIST,
  // CBS_OWNERDRAWVARIABLE and CBS_HASSTRINGS.
  BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              CCreateContext* context = nullptr) override;

  // The six face pieces in this order; stops at the first failure (0).
  int SetComboBitmap(UINT left, UINT leftDisabled, UINT right, UINT rightDisabled, UINT middle, UINT middleDisabled);
  int SetComboBitmap(const char* left, const char* leftDisabled, const char* right, const char* rightDisabled,
                     const char* middle, const char* middleDisabled);
  // The four list borders in this order; stops at the first failure (0).
  int SetComboListBitmap(UINT left, UINT right, UINT top, UINT bottom);
  int SetComboListBitmap(const char* left, const char* right, const char* top, const char* bottom);
  void SetHighlightColor(COLORREF background, COLORREF text);
  void SetNormalPositionColor(COLORREF background, COLORREF text);
  void SetDisableColor(COLORREF background, COLORREF text);

  void DrawListLeft(int);
  void DrawListRight(int);
  void DrawListTop(int);
  void DrawListBot(int);
  void DrawItem(LPDRAWITEMSTRUCT draw) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The left edge of item texts, shared by every combo of the library.
  static int TextIndent();
  HWND GetListWindow() const { return m_list.GetSafeHwnd(); }

 protected:
  LRESULT OnCtlColorListBox(WPARAM wParam, LPARAM lParam);
  void OnPaint();
  void OnDestroy();
  void OnSetFocus(CWnd* oldWnd);
  void OnKillFocus(CWnd* newWnd);

  DECLARE_MESSAGE_MAP()

 private:
  int LoadBitmap(CBitmap& bitmap, const char* path);
  int LoadBitmap(CBitmap& bitmap, UINT id);
  // Stretches the whole bitmap into `target` of the list window's DC.
  void DrawListBorder(CBitmap& bitmap, int which);
  void PaintList(CDC& dc);
  HFONT ListFont() const;

  CBitListBox m_list;
  COLORREF m_highlightBack = 0xC56A31;
  COLORREF m_highlightText = 0xFFFFFF;
  COLORREF m_normalBack = 0xFFFFFF;
  COLORREF m_normalText = 0x000000;
  COLORREF m_disabledBack = 0xD8E9EC;
  COLORREF m_disabledText = 0x98A7AB;
  CBitmap m_left;
  CBitmap m_right;
  CBitmap m_middle;
  CBitmap m_leftDisabled;
  CBitmap m_rightDisabled;
  CBitmap m_middleDisabled;
  CBitmap m_listLeft;
  CBitmap m_listRight;
  CBitmap m_listTop;
  CBitmap m_listBottom;
};
