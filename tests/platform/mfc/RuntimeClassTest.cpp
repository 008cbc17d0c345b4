#include <gtest/gtest.h>

#include <memory>

#include "platform/mfc/Object.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CPolygon : public CShape {
  DECLARE_DYNCREATE(CPolygon)
  int corners = 0;
};
IMPLEMENT_DYNCREATE(CPolygon, CShape)

class CSquare : public CPolygon {
  DECLARE_DYNCREATE(CSquare)
  CSquare() { corners = 4; }
};
IMPLEMENT_DYNCREATE(CSquare, CPolygon)

TEST(RuntimeClass, IsKindOfAlongThreeLevels) {
  CShape shape;
  CPolygon polygon;
  CSquare square;
  const CObject* objects[] = {&shape, &polygon, &square};
  const CRuntimeClass* classes[] = {RUNTIME_CLASS(CShape), RUNTIME_CLASS(CPolygon), RUNTIME_CLASS(CSquare)};
  for (int o = 0; o < 3; ++o) {
    EXPECT_TRUE(objects[o]->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_EQ(objects[o]->GetRuntimeClass(), classes[o]);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(objects[o]->IsKindOf(classes[c]), c <= o) << o << " kind of " << c;
  }
  EXPECT_STREQ(RUNTIME_CLASS(CSquare)->m_lpszClassName, "CSquare");
  EXPECT_EQ(RUNTIME_CLASS(CSquare)->m_nObjectSize, static_cast<int>(sizeof(CSquare)));
  EXPECT_EQ(RUNTIME_CLASS(CSquare)->m_pBaseClass, RUNTIME_CLASS(CPolygon));
  EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CSquare)));
}

TEST(RuntimeClass, CreateObjectBuildsTheClassOnlyWhenDynCreate) {
  std::unique_ptr<CObject> made(RUNTIME_CLASS(CSquare)->CreateObject());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetRuntimeClass(), RUNTIME_CLASS(CSquare));
  EXPECT_EQ(static_cast<CSquare*>(made.get())->corners, 4) << "the constructor ran";
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
  EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);
}

}  // namespace
