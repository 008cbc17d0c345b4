#include <gtest/gtest.h>

#include <cstring>

#include "platform/mfc/Exception.h"

namespace {

CException* caught(void (*thrower)()) {
  try {
    thrower();
  } catch (CException* e) {
    return e;
  }
  return nullptr;
}

TEST(Exception, ThrownAsPointersWithTheirClassAndMessage) {
  const struct {
    void (*thrower)();
    const CRuntimeClass* kind;
    const char* message;
  } cases[] = {
      {AfxThrowMemoryException, RUNTIME_CLASS(CMemoryException), "Out of memory."},
      {AfxThrowInvalidArgException, RUNTIME_CLASS(CInvalidArgException), "Encountered an improper argument."},
      {AfxThrowResourceException, RUNTIME_CLASS(CResourceException), "A required resource was unavailable."},
  };
  for (const auto& c : cases) {
    CException* e = caught(c.thrower);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->IsKindOf(c.kind));
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CSimpleException)));
    char text[256] = "junk";
    UINT help = 99;
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text, &help));
    EXPECT_STREQ(text, c.message);
    EXPECT_EQ(help, 0u);
    e->Delete();  // heap ones are freed (the sanitizer build checks), the memory one stays
  }
}

TEST(Exception, MemoryExceptionIsOneObjectThatDeleteKeeps) {
  CException* first = caught(AfxThrowMemoryException);
  first->Delete();
  CException* second = caught(AfxThrowMemoryException);
  EXPECT_EQ(first, second);
  second->Delete();
}

TEST(Exception, GetErrorMessageCutsToTheBuffer) {
  CException* e = caught(AfxThrowInvalidArgException);
  char text[8];
  std::memset(text, 'z', sizeof text);
  EXPECT_TRUE(e->GetErrorMessage(text, 6));
  EXPECT_STREQ(text, "Encou");
  EXPECT_EQ(text[6], 'z') << "nothing written past the size given";
  EXPECT_FALSE(e->GetErrorMessage(text, 0));
  EXPECT_FALSE(e->GetErrorMessage(nullptr, 10));
  e->Delete();

  CException plain;
  text[0] = 'x';
  EXPECT_FALSE(plain.GetErrorMessage(text, sizeof text));
  EXPECT_STREQ(text, "") << "the base class has no message";
}

}  // namespace
