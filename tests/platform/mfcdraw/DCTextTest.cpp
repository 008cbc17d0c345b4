// CDC's text members: font selection and the text calls through the object.
#include "platform/Platform.h"
#include "tests/platform/gditext/GdiTextTestSupport.h"

namespace wavorel::testing {
namespace {

class CDCTextTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    cdc = CDC::FromHandle(dc);
    ASSERT_TRUE(font.CreatePointFont(90, "Tahoma"));
  }
  CDC* cdc = nullptr;
  CFont font;
};

TEST_F(CDCTextTest, SelectObjectHandsBackThePreviousFontAndRestores) {
  HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
  CFont* previous = cdc->SelectObject(&font);
  ASSERT_NE(previous, nullptr);
  EXPECT_EQ(previous->m_hObject, original);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.m_hObject);

  CFont other;
  ASSERT_TRUE(other.CreatePointFont(120, "Tahoma"));
  EXPECT_EQ(cdc->SelectObject(&other), &font);  // the attached object, not a copy
  EXPECT_EQ(cdc->SelectObject(previous), &other);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), original);
}

TEST_F(CDCTextTest, MeasuresLikeTheWin32Calls) {
  cdc->SelectObject(&font);
  const char* text = "Signal strength and link quality";
  struct Case {
    UINT format;
    LONG width;
  } cases[] = {
      {DT_SINGLELINE, 1000},
      {DT_WORDBREAK, 90},
      {DT_WORDBREAK | DT_CENTER, 60},
  };
  for (const Case& c : cases) {
    RECT viaWin32{5, 7, 5 + c.width, 500};
    const int height = ::DrawText(dc, text, -1, &viaWin32, c.format | DT_CALCRECT);
    CRect viaPointer(5, 7, 5 + c.width, 500);
    EXPECT_EQ(cdc->DrawText(text, -1, &viaPointer, c.format | DT_CALCRECT), height);
    EXPECT_EQ(viaPointer, CRect(viaWin32));
    CRect viaString(5, 7, 5 + c.width, 500);
    EXPECT_EQ(cdc->DrawText(CString(text), &viaString, c.format | DT_CALCRECT), height);
    EXPECT_EQ(viaString, CRect(viaWin32));
  }

  TEXTMETRIC tm{};
  ASSERT_TRUE(cdc->GetTextMetrics(&tm));
  SIZE expected{};
  ::GetTextExtentPoint32(dc, "Quality", 7, &expected);
  EXPECT_EQ(cdc->GetTextExtent(CString("Quality")), CSize(expected));
  EXPECT_EQ(cdc->GetTextExtent("Quality!", 7), CSize(expected));
  EXPECT_EQ(expected.cy, tm.tmHeight);
}

TEST_F(CDCTextTest, StringFormsDrawTheWholeText) {
  cdc->SelectObject(&font);
  cdc->SetBkMode(TRANSPARENT);
  cdc->SetTextColor(RGB(0, 0, 255));
  EXPECT_EQ(cdc->SetTextAlign(TA_RIGHT), static_cast<UINT>(TA_LEFT));
  EXPECT_EQ(cdc->GetTextAlign(), static_cast<UINT>(TA_RIGHT));
  cdc->SetTextAlign(TA_LEFT);
  const CSize extent = cdc->GetTextExtent(CString("WWW"));
  ASSERT_TRUE(cdc->TextOut(10, 10, CString("WWW")));
  // The last character is drawn: blue pixels in the right third of the text.
  EXPECT_GT(count(RECT{10 + extent.cx * 2 / 3, 10, 10 + extent.cx, 10 + extent.cy}, RGB(0, 0, 255)), 0);

  cdc->SetBkColor(RGB(255, 0, 0));
  CRect box(10, 40, 60, 60);
  ASSERT_TRUE(cdc->ExtTextOut(10, 40, ETO_OPAQUE, &box, CString(""), nullptr));
  EXPECT_EQ(count(box, RGB(255, 0, 0)), box.Width() * box.Height());
}

}  // namespace
}  // namespace wavorel::testing
