#include "GdiTestSupport.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/ImageList.h"
#include "platform/testing/PlatformTest.h"

namespace {

class CDCTest : public wavorel::testing::PlatformTest {};

TEST_F(CDCTest, WrappersOwnTheirHandlesUnlessDetached) {
  HGDIOBJ kept = nullptr, gone = nullptr;
  HDC dcGone = nullptr;
  {
    CBrush brush(RGB(1, 2, 3));
    CBrush other;
    other.CreateSolidBrush(RGB(4, 5, 6));
    gone = brush.m_hObject;
    kept = other.m_hObject;
    EXPECT_EQ(CGdiObject::FromHandle(gone), &brush);  // the attached object itself
    other.Detach();
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dcGone = dc.GetSafeHdc();
    EXPECT_EQ(CDC::FromHandle(dcGone), &dc);
  }
  EXPECT_EQ(GetObjectType(gone), 0u);
  EXPECT_EQ(GetObjectType(dcGone), 0u);
  EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
  // A temporary wrapper never deletes what it wraps.
  CGdiObject* temporary = CGdiObject::FromHandle(kept);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(CBrush::FromHandle(static_cast<HBRUSH>(kept))->m_hObject, kept);
  CGdiObject::DeleteTempMap();
  EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
  DeleteObject(kept);
}

TEST_F(CDCTest, SelectObjectHandsBackThePreviousObjectAndFillSolidRectSetsTheBackground) {
  CDC screen;
  screen.Attach(GetDC(nullptr));
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 4, 2));
  BITMAP bm{};
  bitmap.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  CBitmap* previous = memory.SelectObject(&bitmap);
  ASSERT_NE(previous, nullptr);
  EXPECT_EQ(previous->GetObjectType(), static_cast<UINT>(OBJ_BITMAP));
  EXPECT_EQ(memory.GetCurrentBitmap(), &bitmap);
  memory.SetROP2(R2_NOT);
  memory.FillSolidRect(1, 0, 2, 2, RGB(9, 8, 7));
  EXPECT_EQ(memory.GetBkColor(), RGB(9, 8, 7));
  EXPECT_EQ(memory.GetPixel(1, 1), RGB(9, 8, 7));
  EXPECT_EQ(memory.GetPixel(0, 1), RGB(0, 0, 0));
  CPoint old = memory.SetViewportOrg(2, 0);
  EXPECT_EQ(old.x, 0);
  EXPECT_EQ(memory.GetPixel(0, 0), RGB(9, 8, 7));  // device (2, 0)
  CRgn region;
  region.CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(memory.SelectClipRgn(&region), SIMPLEREGION);
  CRect box;
  memory.GetClipBox(&box);
  EXPECT_EQ(box.left, -2);
  memory.SelectObject(previous);
  ReleaseDC(nullptr, screen.Detach());
}

TEST_F(CDCTest, ImageListWrapperAddsMaskedStripsAndDraws) {
  gditest::Canvas strip({"ry", "yr"}, {{'r', RGB(255, 0, 0)}, {'y', RGB(255, 255, 0)}});
  SelectObject(strip.dc, strip.previous);
  CBitmap bitmap;
  bitmap.Attach(strip.bitmap);
  CImageList list;
  ASSERT_TRUE(list.Create(1, 2, ILC_COLOR24 | ILC_MASK, 2, 1));
  EXPECT_EQ(list.Add(&bitmap, RGB(255, 255, 0)), 0);
  EXPECT_EQ(list.GetImageCount(), 2);
  EXPECT_EQ(CImageList::FromHandle(list.GetSafeHandle()), &list);
  gditest::Canvas target(1, 2, RGB(0, 0, 255));
  CDC* dc = CDC::FromHandle(target.dc);
  EXPECT_TRUE(list.Draw(dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
  EXPECT_EQ(target.at(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(target.at(0, 1), RGB(255, 0, 0));
  HICON icon = list.ExtractIcon(0);
  EXPECT_NE(icon, nullptr);
  DestroyIcon(icon);
  HIMAGELIST handle = list.Detach();
  EXPECT_EQ(ImageList_GetImageCount(handle), 2);
  ImageList_Destroy(handle);
  bitmap.Detach();  // the canvas deletes it
  CDC::DeleteTempMap();
  EXPECT_EQ(GetObjectType(target.dc), static_cast<DWORD>(OBJ_MEMDC));
}

}  // namespace
