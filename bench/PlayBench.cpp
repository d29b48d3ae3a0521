// The play tick against the memory floor of the bytes it must move, and what a stage start costs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "BenchCases.h"
#include "HeadlessGame.h"
#include "data/DataFile.h"
#include "play/Forms.h"
#include "play/MainUnit.h"
#include "screens/NumberUnit.h"
#include "sdl/SdlImageCodec.h"

namespace wispen::bench {
namespace {

constexpr int kTickStage = 10;

// The stage with the largest map file.
int LargestStage() {
  int largest = 1;
  uintmax_t size = 0;
  for (int n = 1; n <= 10; ++n) {
    const auto path = std::filesystem::path(DataDir()) / ("StageP" + std::to_string(n) + ".Dat");
    std::error_code ec;
    const uintmax_t s = std::filesystem::file_size(path, ec);
    if (!ec && s > size) {
      size = s;
      largest = n;
    }
  }
  return largest;
}

// What a tick cannot do without: the map's 500x300 slice into the back buffer and the view onto the screen,
// two row copies of 600,000 bytes each, on the game's own pictures.
void MemoryFloor(benchmark::State& state) {
  HeadlessGame game;
  game.StartStage(kTickStage);
  TMainForm& main = game.Main();
  // The map as a 32-bit picture, so the floor stays the two row copies of 600,000 bytes.
  const TBitmap map = main.MapImage.Picture.ToBitmap();
  TBitmap& back = *main.BackBuffer;
  TBitmap& screen = main.ScreenImage.Picture;
  int i = 0;
  for (auto _ : state) {
    main.PathIndex = 1 + i++ % (main.PathLength - 1);
    const TPoint view = main.PathPoints[main.PathIndex];
    for (int y = 0; y < 300; ++y) {
      std::memcpy(&back.At(100, 100 + y),
                  &map.Pixels()[static_cast<size_t>(view.Y + y) * map.Width() + view.X],
                  500 * sizeof(TColor));
    }
    for (int y = 0; y < 300; ++y)
      std::memcpy(&screen.At(70, 60 + y), &back.At(100, 100 + y), 500 * sizeof(TColor));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 2 * 500 * 300 * sizeof(TColor));
}

// A play tick as the stage's timer runs it, on the stage's 30 obstacles: the frame composed (map, obstacles,
// soul) and put on the screen, the hit test, and the life digits redrawn (every tick, where the game redraws
// them only when the percentage changes).
void PlayTick(benchmark::State& state) {
  HeadlessGame game;
  game.StartStage(kTickStage);
  TMainForm& main = game.Main();
  TNumberForm& numbers = *game.AllForms().NumberForm;
  int i = 0;
  for (auto _ : state) {
    main.PathIndex = 1 + i++ % (main.PathLength - 1);
    const TPoint view = main.PathPoints[main.PathIndex];
    main.ComposeFrame(view.X, view.Y);
    benchmark::DoNotOptimize(main.SoulHitTest(main.MouseX, main.MouseY));
    numbers.DrawLife(i % 100, main.ScreenImage.Picture.Canvas());
  }
  state.counters["obstacles"] = main.Stage.ObstacleCount;
}

void HitTest(benchmark::State& state) {
  HeadlessGame game;
  game.StartStage(kTickStage);
  TMainForm& main = game.Main();
  for (auto _ : state) benchmark::DoNotOptimize(main.SoulHitTest(main.MouseX, main.MouseY));
}

void StartLargestStage(benchmark::State& state) {
  HeadlessGame game;
  const int n = LargestStage();
  for (auto _ : state) game.StartStage(n);
  state.counters["stage"] = n;
}

// Resident memory in MB, from /proc.
double ResidentMb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// A hundred stage starts in a row must leave the memory where ten left it.
void HundredStageStarts(benchmark::State& state) {
  HeadlessGame game;
  const int n = LargestStage();
  double afterTen = 0, afterHundred = 0;
  for (auto _ : state) {
    for (int k = 1; k <= 100; ++k) {
      game.StartStage(n);
      if (k == 10) afterTen = ResidentMb();
    }
    afterHundred = ResidentMb();
  }
  state.counters["RSS after 10 MB"] = afterTen;
  state.counters["growth to 100 MB"] = afterHundred - afterTen;
}

// As the game holds them: a map as palette indices, an obstacle strip at 32 bits.
template <typename Image>
void DecodePicture(benchmark::State& state, const std::string& file) {
  HeadlessGame game;
  SdlImageCodec codec;
  const std::string gameDir = game.Main().GamePath("");
  Image image;
  for (auto _ : state) LoadDataPicture(codec, gameDir, gameDir + "Data/" + file, image);
  state.counters["pixels"] = static_cast<double>(image.Picture.Width()) * image.Picture.Height();
}

// The largest file of each kind.
std::string LargestFile(const std::string& prefix) {
  std::string best;
  uintmax_t size = 0;
  for (const auto& entry : std::filesystem::directory_iterator(DataDir())) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0 || name.size() <= prefix.size() || !std::isdigit(name[prefix.size()]))
      continue;
    if (entry.file_size() > size) {
      size = entry.file_size();
      best = name;
    }
  }
  return best;
}

void DecodeLargestMap(benchmark::State& state) {
  DecodePicture<TPaletteImage>(state, LargestFile("StageP"));
}
void DecodeLargestObstacleStrip(benchmark::State& state) {
  DecodePicture<TImage>(state, LargestFile("AnimaP"));
}

}  // namespace

void RegisterPlayBenchmarks() {
  benchmark::RegisterBenchmark(kFloorName, MemoryFloor)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark(kTickName, PlayTick)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("HitTest", HitTest)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("StartStage/largest", StartLargestStage)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("StartStage/largest, 100 times", HundredStageStarts)
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Decode/largest map", DecodeLargestMap)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Decode/largest obstacle strip", DecodeLargestObstacleStrip)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace wispen::bench
