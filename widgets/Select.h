// The CSelect guards: each changes one attribute of a DC (font, background
// mode, text colour, text alignment), remembers the first value it replaced
// and puts it back when destroyed or when Restore is called.
#pragma once

#include "platform/Platform.h"

class CSelect {
 public:
  explicit CSelect(CDC* pDC) : m_pDC(pDC) {}
  virtual ~CSelect() = default;
  CSelect(const CSelect&) = delete;
  CSelect& operator=(const CSelect&) = delete;
  virtual void Restore() = 0;

 protected:
  CDC* m_pDC;
  bool m_bChanged = false;  // an old value is held
};

class CSelFont : public CSelect {
 public:
  CSelFont(CDC* pDC, CFont* pFont) : CSelect(pDC) { Select(pFont); }
  ~CSelFont() override { Restore(); }
  CSelFont(const CSelFont&) = delete;
  CSelFont& operator=(const CSelFont&) = delete;
  void Select(CFont* pFont);
  void Restore() override;

 private:
  HGDIOBJ m_hOld = nullptr;
};

class CSelBkMode : public CSelect {
 public:
  CSelBkMode(CDC* pDC, int mode) : CSelect(pDC) { Select(mode); }
  ~CSelBkMode() override { Restore(); }
  CSelBkMode(const CSelBkMode&) = delete;
  CSelBkMode& operator=(const CSelBkMode&) = delete;
  void Select(int mode);
  void Restore() override;

 private:
  int m_old = 0;
};

class CSelTextColor : public CSelect {
 public:
  CSelTextColor(CDC* pDC, COLORREF colour) : CSelect(pDC) { Select(colour); }
  ~CSelTextColor() override { Restore(); }
  CSelTextColor(const CSelTextColor&) = delete;
  CSelTextColor& operator=(const CSelTextColor&) = delete;
  void Select(COLORREF colour);
  void Restore() override;

 private:
  COLORREF m_old = 0;
};

class CSelTextAlign : public CSelect {
 public:
  CSelTextAlign(CDC* pDC, UINT align) : CSelect(pDC) { Select(align); }
  ~CSelTextAlign() override { Restore(); }
  CSelTextAlign(const CSelTextAlign&) = delete;
  CSelTextAlign& operator=(const CSelTextAlign&) = delete;
  void Select(UINT align);
  void Restore() override;

 private:
  UINT m_old = 0;
};
