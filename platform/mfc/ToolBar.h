// CToolBar: the class library's toolbar as far as a program reads toolbar
// resources with it: a child window that keeps a list of buttons (command ids,
// 0 for a separator), the button and image sizes and the toolbar's bitmap.
// It draws nothing of its own.
//
// LoadToolBar reads an RT_TOOLBAR resource, {WORD version, WORD width, WORD
// height, WORD count, count x WORD id}, from the resource module, else the
// program (AfxFindResourceHandle): its ids become the buttons, the button
// size is (width + 7, height + 7), the image size (width, height), and then
// the RT_BITMAP resource of the same name is loaded with the system colours
// mapped (AfxLoadSysColorBitmap). A resource shorter than its count says
// loads nothing (FALSE).
#pragma once

#include <vector>

#include "platform/mfc/Size.h"
#include "platform/mfc/Wnd.h"

// The class library's control-bar styles and the toolbar's default id.
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define AFX_IDW_TOOLBAR 0xE800
#define ID_SEPARATOR 0
// Button styles of GetButtonInfo.
#define TBBS_BUTTON 0x0000
#define TBBS_SEPARATOR 0x0001

class CToolBar : public CWnd {
  DECLARE_DYNAMIC(CToolBar)

 public:
  // The width GetButtonInfo gives as a separator's image.
  static constexpr int kSeparatorWidth = 8;

  CToolBar() = default;
  ~CToolBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  virtual BOOL LoadToolBar(LPCTSTR lpszResourceName);
  BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
  // The toolbar's bitmap (system colours mapped); replaces the one held.
  virtual BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  // One button per id; separators (ID_SEPARATOR) take no image, the other
  // buttons take images 0, 1, 2 ... in order.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  void SetSizes(SIZE sizeButton, SIZE sizeImage);

  int GetCount() const { return static_cast<int>(m_buttons.size()); }
  // The index of the first button with the id, -1 when there is none.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  // Out of range: id 0, style TBBS_SEPARATOR, image 0.
  void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
  CSize GetButtonSize() const { return m_sizeButton; }
  CSize GetImageSize() const { return m_sizeImage; }
  HBITMAP GetToolBarBitmap() const { return m_hBitmap; }

 private:
  struct Button {
    UINT id;
    UINT style;
    int image;
  };
  std::vector<Button> m_buttons;
  CSize m_sizeButton{23, 22};
  CSize m_sizeImage{16, 15};
  HBITMAP m_hBitmap = nullptr;
};
