// Copies of a 500x300 block, the size of the play window: one-to-one with each raster operation, through the
// general pixel-by-pixel path they are held to, and stretched.
#include <benchmark/benchmark.h>

#include <random>

#include "BenchCases.h"
#include "platform/Bitmap.h"
#include "platform/Blit.h"

namespace wispen::bench {
namespace {

TBitmap Noise(int width, int height) {
  std::mt19937 random(7);
  TBitmap b(width, height);
  for (TColor& c : b.Pixels()) c = random() & 0xFFFFFF;
  return b;
}

void OneToOne(benchmark::State& state, RasterOp rop) {
  const TBitmap src = Noise(600, 400);
  TBitmap dst = Noise(640, 480);
  for (auto _ : state) {
    dst.Canvas().StretchBlt(Bounds(70, 60, 500, 300), src, Bounds(100, 100, 500, 300), rop);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 500 * 300 * sizeof(TColor));
}

void GeneralCopy(benchmark::State& state) {
  const TBitmap src = Noise(600, 400);
  TBitmap dst = Noise(640, 480);
  for (auto _ : state) {
    StretchBlit(dst, Bounds(70, 60, 500, 300), src, Bounds(100, 100, 500, 300), SRCCOPY);
    benchmark::ClobberMemory();
  }
}

// 250x150 enlarged to 500x300.
void Stretched(benchmark::State& state) {
  const TBitmap src = Noise(600, 400);
  TBitmap dst = Noise(640, 480);
  for (auto _ : state) {
    dst.Canvas().StretchBlt(Bounds(70, 60, 500, 300), src, Bounds(100, 100, 250, 150), SRCCOPY);
    benchmark::ClobberMemory();
  }
}

}  // namespace

void RegisterBlitBenchmarks() {
  benchmark::RegisterBenchmark("Blit/copy", OneToOne, SRCCOPY)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Blit/AND", OneToOne, SRCAND)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Blit/OR", OneToOne, SRCPAINT)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Blit/copy, general path", GeneralCopy)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Blit/stretched x2", Stretched)->Unit(benchmark::kMicrosecond);
}

}  // namespace wispen::bench
