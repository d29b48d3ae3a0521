// The real window's present (texture upload and render) of the 640x480 screen at scales 1 and 3. Needs a
// display; `make bench` gives it a virtual one, with SDL's software renderer.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchCases.h"
#include "platform/Application.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"
#include "sdl/SdlTextEngine.h"

namespace wispen::bench {
namespace {

class StillScreen : public MainWindowEvents {
 public:
  StillScreen() : screen_(640, 480, 0x204060) {}
  void FormShow() override {}
  void FormClose() override {}
  void ScreenImageMouseMove(TShiftState, int, int) override {}
  void ScreenImageMouseDown(TMouseButton, TShiftState, int, int) override {}
  const TBitmap& ScreenPicture() const override { return screen_; }
  // The window draws a picture only when it changed: every frame changes one pixel.
  void Change() { screen_.At(0, 0) ^= 1; }
  void AppendState(StateList&) const override {}

 private:
  TBitmap screen_;
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
  StillScreen screen;
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
  benchmark::RegisterBenchmark("Present/scale", Present)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);
}

}  // namespace wispen::bench
