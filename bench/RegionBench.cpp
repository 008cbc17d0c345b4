// Region building from a 600 x 450 skin: rows of runs of non-key pixels,
// turned into regions in batches of 2000 rectangles and ORed together.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/Platform.h"
#include "platform/win/gdi/Gdi.h"

namespace {

constexpr int kWidth = 600, kHeight = 450;

// A skin shape: rounded corners, a notch along the top and a few holes.
bool opaque(int x, int y) {
  auto outsideCorner = [](int dx, int dy) { return dx * dx + dy * dy > 40 * 40; };
  if (x < 40 && y < 40 && outsideCorner(40 - x, 40 - y)) return false;
  if (x >= kWidth - 40 && y < 40 && outsideCorner(x - (kWidth - 41), 40 - y)) return false;
  if (x < 40 && y >= kHeight - 40 && outsideCorner(40 - x, y - (kHeight - 41))) return false;
  if (x >= kWidth - 40 && y >= kHeight - 40 && outsideCorner(x - (kWidth - 41), y - (kHeight - 41))) return false;
  if (y < 20 && x > 200 && x < 400) return false;
  if ((x / 50) % 3 == 1 && (y / 50) % 3 == 1 && x % 50 > 10 && y % 50 > 10) return false;
  return true;
}

HRGN makeBatch(const std::vector<RECT>& rects) {
  std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), 0, {0, 0, 0, 0}};
  std::memcpy(buffer.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
}

void BM_SkinRegion(benchmark::State& state) {
  std::vector<bool> pixels(kWidth * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) pixels[y * kWidth + x] = opaque(x, y);
  size_t rectCount = 0;
  for (auto _ : state) {
    HRGN result = nullptr;
    std::vector<RECT> batch;
    rectCount = 0;
    auto flush = [&] {
      HRGN part = makeBatch(batch);
      if (!result) {
        result = part;
      } else {
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(part);
      }
      rectCount += batch.size();
      batch.clear();
    };
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth;) {
        int end = x;
        while (end < kWidth && pixels[y * kWidth + end]) ++end;
        if (end > x) batch.push_back({x, y, end, y + 1});
        if (batch.size() == 2000) flush();
        x = end + 1;
      }
    if (!batch.empty()) flush();
    benchmark::DoNotOptimize(result);
    DeleteObject(result);
  }
  state.counters["row_runs"] = static_cast<double>(rectCount);
}
BENCHMARK(BM_SkinRegion)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
