// The real window's present (texture upload and render) of the 640x480 screen at scales 1 and 3, the whole
// picture new every frame or, as in play, only the 500x300 view. Needs a display; `make bench` gives it a
// virtual one, with SDL's software renderer.
#include <benchmark/benchmark.h>

#include <memory>
#include <utility>

#include "BenchCases.h"
#include "platform/Application.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"
#include "sdl/SdlTextEngine.h"

namespace wispen::bench {
namespace {

class ChangingScreen : public MainWindowEvents {
 public:
  explicit ChangingScreen(bool viewOnly) : screen_(640, 480, 0x204060), next_(640, 480, 0x204060) {
    next_.Canvas().BrushColor = 0x406080;
    next_.Canvas().FillRect(viewOnly ? TRect{70, 60, 570, 360} : TRect{0, 0, 640, 480});
  }
  void FormShow() override {}
  void FormClose() override {}
  void ScreenImageMouseMove(TShiftState, int, int) override {}
  void ScreenImageMouseDown(TMouseButton, TShiftState, int, int) override {}
  const TBitmap& ScreenPicture() const override { return screen_; }
  // The window draws only what changed: every frame brings the other picture.
  void Change() { std::swap(screen_, next_); }
  void AppendState(StateList&) const override {}

 private:
  TBitmap screen_;
  TBitmap next_;
};

void Present(benchmark::State& state) {
  SdlTextEngine text;
  SdlImageCodec codec;
  std::unique_ptr<SdlPlatform> platform;
  try {
    platform = std::make_unique<SdlPlatform>(
        PlatformBase::Settings{}, SdlPlatform::Options{static_cast<int>(state.range(0))}, text, codec);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  ChangingScreen screen(state.range(1) != 0);
  Application app(*platform);
  app.SetMainWindow(&screen);
  platform->Attach(app);
  for (auto _ : state) {
    screen.Change();
    platform->Repaint();
  }
}

}  // namespace

void RegisterPresentBenchmarks() {
  benchmark::RegisterBenchmark("Present", Present)
      ->ArgNames({"scale", "view_only"})
      ->ArgsProduct({{1, 3}, {0, 1}})
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace wispen::bench
