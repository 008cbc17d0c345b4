// CImageList: an image list handle owned by the object (the destructor
// deletes it). FromHandle gives the attached object or a temporary wrapper
// living until DeleteTempMap.
#pragma once

#include "platform/mfc/Object.h"
#include "platform/win/gdi/ImageList.h"

class CBitmap;
class CDC;

class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)

 public:
  CImageList() = default;
  ~CImageList() override;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;

  operator HIMAGELIST() const { return m_hImageList; }  // NOLINT: implicit as in MFC
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  static CImageList* FromHandle(HIMAGELIST handle);
  static void DeleteTempMap();
  BOOL Attach(HIMAGELIST handle);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // From a bitmap resource cut into images cx wide, masked by a colour
  // unless it is CLR_NONE.
  BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
  BOOL Create(LPCSTR bitmapId, int cx, int grow, COLORREF mask);

  int Add(CBitmap* bitmap, CBitmap* mask);
  int Add(CBitmap* bitmap, COLORREF mask);
  int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
  BOOL Replace(int index, CBitmap* bitmap, CBitmap* mask);
  int Replace(int index, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, index, icon); }
  BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  BOOL SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
  BOOL GetImageInfo(int index, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, index, info); }
  COLORREF SetBkColor(COLORREF colour) { return ImageList_SetBkColor(m_hImageList, colour); }
  COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
  HICON ExtractIcon(int index) { return ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
  BOOL Draw(CDC* dc, int index, POINT at, UINT style);
  BOOL DrawIndirect(IMAGELISTDRAWPARAMS* params);
  BOOL DrawIndirect(CDC* dc, int index, POINT at, SIZE size, POINT origin, UINT style = ILD_NORMAL,
                    DWORD rop = SRCCOPY, COLORREF bk = CLR_DEFAULT, COLORREF fg = CLR_DEFAULT);
};
