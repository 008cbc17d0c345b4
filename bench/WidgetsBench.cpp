// The widgets' hot paths: a full paint of a 64-row, 11-column owner-data list
// with a progress cell in every row (every cell asked from the parent, the
// goal is 1 ms), and the shaded pictures of a 100 x 25 button.
#include <benchmark/benchmark.h>

#include "platform/Platform.h"
#include "platform/testing/BenchRoot.h"
#include "widgets/QuickList.h"
#include "widgets/ShadeButtonST.h"

namespace {

constexpr int kRows = 64;
constexpr int kColumns = 11;

// Answers every cell from its row and column, as the pages do: a table
// look-up and a format.
class BenchParent : public CWnd {
 public:
  long long requests = 0;

 protected:
  LRESULT OnGetItem(WPARAM, LPARAM lParam) {
    auto& cell = *reinterpret_cast<CQuickListCell*>(lParam);
    ++requests;
    if (cell.GetColumn() == 2) {
      cell.m_nProgressMax = 100;
      cell.m_nProgressValue = (cell.GetRow() * 37) % 101;
      cell.m_nBarEdge = 3;
    } else if (cell.GetColumn() == 0) {
      cell.m_bCheckBox = 1;
      cell.m_nCheckState = DFCS_BUTTONCHECK | (cell.GetRow() % 2 ? DFCS_CHECKED : 0);
    } else {
      cell.m_strText.Format("Row %d column %d", cell.GetRow(), cell.GetColumn());
    }
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BenchParent, CWnd)
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &BenchParent::OnGetItem)
END_MESSAGE_MAP()

void BM_QuickListFullPaint(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  BenchParent parent;
  CQuickList list;
  parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 1200, nullptr, nullptr);
  list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 1200, 1200), &parent, 100);
  list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  for (int c = 0; c < kColumns; ++c) list.InsertColumn(c, "Column", LVCFMT_LEFT, 100);
  list.SetItemCount(kRows);
  list.UpdateWindow();
  parent.requests = 0;
  long long paints = 0;
  for (auto _ : state) {
    list.Invalidate(FALSE);
    list.UpdateWindow();
    ++paints;
  }
  state.counters["cell_requests_per_paint"] = paints ? static_cast<double>(parent.requests) / paints : 0;
  parent.DestroyWindow();
}
BENCHMARK(BM_QuickListFullPaint)->Unit(benchmark::kMillisecond);

// The same list drawn by the list view itself (texts by LVN_GETDISPINFO):
// what a full paint costs the stand-in without the owner drawing.
class PlainParent : public CWnd {
 protected:
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override {
    auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
    if (info->hdr.code != LVN_GETDISPINFO) return FALSE;
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText)
      snprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax), "Row %d column %d", info->item.iItem,
               info->item.iSubItem);
    *pResult = 0;
    return TRUE;
  }
};

void BM_PlainListFullPaint(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  PlainParent parent;
  CListCtrl list;
  parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 1200, nullptr, nullptr);
  list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(0, 0, 1200, 1200), &parent, 100);
  for (int c = 0; c < kColumns; ++c) list.InsertColumn(c, "Column", LVCFMT_LEFT, 100);
  list.SetItemCount(kRows);
  list.UpdateWindow();
  for (auto _ : state) {
    list.Invalidate(FALSE);
    list.UpdateWindow();
  }
  parent.DestroyWindow();
}
BENCHMARK(BM_PlainListFullPaint)->Unit(benchmark::kMillisecond);

void BM_BuildShadeBitmaps(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  CWnd parent;
  parent.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr);
  CShadeButtonST button;
  HWND hwnd = CreateWindowEx(0, "Button", "OK", WS_CHILD | WS_VISIBLE, 0, 0, 100, 25, parent.GetSafeHwnd(),
                             reinterpret_cast<HMENU>(1), nullptr, nullptr);
  button.SubclassWindow(hwnd);
  const int pattern = static_cast<int>(state.range(0));
  for (auto _ : state) {
    button.BuildShadeBitmaps(pattern, 8, 10, 0, 0, 0xB4B4B4, 0x00FF00);
    benchmark::DoNotOptimize(button.GetNormalPicture().GetBits());
  }
  parent.DestroyWindow();
}
BENCHMARK(BM_BuildShadeBitmaps)->Arg(2)->Arg(4)->Arg(7)->Arg(8)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
