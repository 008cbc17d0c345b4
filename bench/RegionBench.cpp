// The main dialog's window region, built as the dialog builds it when it is
// created: from the real skin bitmap (dlgMainUI.bmp, 600 x 470, 24 bits, as
// the skin generator draws it), every pixel that is not the transparent
// colour, through CPolygonDialog::BitmapRegion (a blit into a 32-bit DIB,
// a scan of its rows, the rows' runs turned into regions and ORed together).
// Loading the file is timed apart.
#include <benchmark/benchmark.h>

#include "apps/skin/SkinGenerator.h"
#include "platform/Platform.h"
#include "platform/testing/BenchRoot.h"
#include "skinvane/Skinvane.h"

namespace {

// The skin, drawn by main() into the bench root's drive C.
HBITMAP loadSkin() {
  return static_cast<HBITMAP>(
      LoadImage(nullptr, "C:\\Skin\\dlgMainUI.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

void BM_RegionFromMainDialogSkin(benchmark::State& state) {
  HBITMAP skin = loadSkin();
  if (!skin) {
    state.SkipWithError("the skin cannot be loaded");
    return;
  }
  DWORD rects = 0;
  for (auto _ : state) {
    HRGN region = CPolygonDialog::BitmapRegion(skin, wavorel::skin::kTransparentColor, 1);
    benchmark::DoNotOptimize(region);
    rects = GetRegionData(region, 0, nullptr);
    DeleteObject(region);
  }
  state.counters["region_rects"] = static_cast<double>((rects - sizeof(RGNDATAHEADER)) / sizeof(RECT));
  DeleteObject(skin);
}
BENCHMARK(BM_RegionFromMainDialogSkin)->Unit(benchmark::kMillisecond);

void BM_LoadMainDialogSkin(benchmark::State& state) {
  for (auto _ : state) {
    HBITMAP skin = loadSkin();
    benchmark::DoNotOptimize(skin);
    DeleteObject(skin);
  }
}
BENCHMARK(BM_LoadMainDialogSkin)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  wavorel::testing::BenchRoot root;  // gone before the platform's own state
  if (!wavorel::skin::writeSkin(root.path() + "/drive_c/Skin")) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
