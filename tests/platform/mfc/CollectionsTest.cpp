#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "platform/mfc/Array.h"
#include "platform/mfc/Map.h"

namespace {

template <class A>
std::vector<int> contents(const A& a) {
  std::vector<int> v;
  for (INT_PTR i = 0; i < a.GetSize(); ++i) v.push_back(static_cast<int>(a[i]));
  return v;
}

void expectInvalidArgument(const std::function<void()>& f, const char* what) {
  try {
    f();
    ADD_FAILURE() << what << ": no exception";
  } catch (CException* e) {
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException))) << what;
    e->Delete();
  }
}

TEST(Collections, ArraySetSizeInsertAtRemoveAt) {
  CArray<int, int> a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(a.GetData(), nullptr);
  a.SetSize(3, 160);
  EXPECT_EQ(contents(a), (std::vector<int>{0, 0, 0}));
  a[0] = 1;
  a.SetAt(2, 3);
  a.InsertAt(1, 9, 2);
  EXPECT_EQ(contents(a), (std::vector<int>{1, 9, 9, 0, 3}));
  a.InsertAt(7, 5);  // past the end: grows, the gap is zero
  EXPECT_EQ(contents(a), (std::vector<int>{1, 9, 9, 0, 3, 0, 0, 5}));
  EXPECT_EQ(a.GetUpperBound(), 7);
  a.RemoveAt(0, 2);
  a.RemoveAt(a.GetUpperBound());
  EXPECT_EQ(contents(a), (std::vector<int>{9, 0, 3, 0, 0}));
  a.SetSize(2);
  EXPECT_EQ(contents(a), (std::vector<int>{9, 0}));
  a.SetAtGrow(4, 4);
  EXPECT_EQ(contents(a), (std::vector<int>{9, 0, 0, 0, 4}));
  a.RemoveAll();
  EXPECT_EQ(a.GetCount(), 0);
  EXPECT_EQ(a.GetData(), nullptr);
}

TEST(Collections, ArrayIndexOutsideThrowsInvalidArgument) {
  CArray<int, int> a;
  a.Add(1);
  a.Add(2);
  expectInvalidArgument([&] { a.GetAt(2); }, "GetAt past the end");
  expectInvalidArgument([&] { a[-1]; }, "operator[] negative");
  expectInvalidArgument([&] { a.SetAt(5, 0); }, "SetAt");
  expectInvalidArgument([&] { a.RemoveAt(1, 2); }, "RemoveAt past the end");
  expectInvalidArgument([&] { a.RemoveAt(-1); }, "RemoveAt negative");
  expectInvalidArgument([&] { a.SetSize(-1); }, "SetSize negative");
  expectInvalidArgument([&] { a.InsertAt(0, 1, 0); }, "InsertAt of no elements");
  expectInvalidArgument([&] { a.Append(a); }, "Append to itself");
  EXPECT_EQ(contents(a), (std::vector<int>{1, 2})) << "failed calls change nothing";

  CStringArray fields;
  fields.Add("Open");
  expectInvalidArgument([&] { fields.GetAt(1); }, "a field that is not there");
}

TEST(Collections, ArrayAddAppendCopyAndInsertArray) {
  CStringArray a;
  EXPECT_EQ(a.Add("x"), 0);
  for (int i = 0; i < 40; ++i) a.Add(a[0]);  // adding an element of the array itself while it grows
  EXPECT_EQ(a.GetSize(), 41);
  EXPECT_STREQ(a[40], "x");

  CUIntArray u, v;
  u.Add(1);
  u.Add(2);
  v.Add(7);
  EXPECT_EQ(v.Append(u), 1);
  EXPECT_EQ(contents(v), (std::vector<int>{7, 1, 2}));
  v.InsertAt(1, &u);
  EXPECT_EQ(contents(v), (std::vector<int>{7, 1, 2, 1, 2}));
  v.InsertAt(1, &v);  // the array into itself
  EXPECT_EQ(contents(v), (std::vector<int>{7, 7, 1, 2, 1, 2, 1, 2, 1, 2}));
  u.Copy(v);
  EXPECT_EQ(contents(u), contents(v));
  u.FreeExtra();
  EXPECT_EQ(contents(u), contents(v));
}

TEST(Collections, MapLookupRemoveAndIterationCoverEveryPair) {
  CMap<int, int, int, int> m;
  for (int k = 0; k < 200; ++k) m.SetAt(k * 7, k);
  m[7] = 1000;  // replaces
  EXPECT_EQ(m.GetCount(), 200);
  for (int k = 0; k < 200; k += 2) EXPECT_TRUE(m.RemoveKey(k * 7));
  EXPECT_FALSE(m.RemoveKey(0));
  EXPECT_EQ(m.GetCount(), 100);
  int v = -1;
  EXPECT_FALSE(m.Lookup(14, v));
  EXPECT_EQ(v, -1) << "a failed lookup leaves the value";
  ASSERT_TRUE(m.Lookup(7, v));
  EXPECT_EQ(v, 1000);

  m.InitHashTable(5);  // rehashes what is there
  std::map<int, int> seen;
  for (POSITION pos = m.GetStartPosition(); pos;) {
    int key, value;
    m.GetNextAssoc(pos, key, value);
    EXPECT_TRUE(seen.emplace(key, value).second) << "visited twice: " << key;
    if (key % 3 == 0) m.RemoveKey(key);  // removing the pair just returned is allowed
  }
  ASSERT_EQ(seen.size(), 100u);
  for (int k = 1; k < 200; k += 2) EXPECT_EQ(seen.count(k * 7), 1u) << k;
  EXPECT_EQ(seen[21], 3);
  EXPECT_EQ(m.GetCount(), 100 - 33);

  EXPECT_EQ(m[123456], 0) << "operator[] adds a zero value";
  m.RemoveAll();
  EXPECT_TRUE(m.IsEmpty());
  EXPECT_EQ(m.GetStartPosition(), nullptr);
}

TEST(Collections, StringToPtrKeysAreCaseSensitive) {
  CMapStringToPtr options(3);
  int a = 1, b = 2;
  options.SetAt("Opt", &a);
  options.SetAt("opt", &b);
  options.SetAt(CString("opt"), &b);
  EXPECT_EQ(options.GetCount(), 2);
  void* p = nullptr;
  ASSERT_TRUE(options.Lookup("Opt", p));
  EXPECT_EQ(p, &a);
  ASSERT_TRUE(options.Lookup("opt", p));
  EXPECT_EQ(p, &b);
  EXPECT_FALSE(options.Lookup("OPT", p));
  EXPECT_FALSE(options.RemoveKey("OPT"));
  EXPECT_TRUE(options.RemoveKey("Opt"));
  POSITION pos = options.GetStartPosition();
  CString key;
  options.GetNextAssoc(pos, key, p);
  EXPECT_STREQ(key, "opt");
  EXPECT_EQ(pos, nullptr);
}

}  // namespace
