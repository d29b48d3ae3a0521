#include <dlfcn.h>
#include <gtest/gtest.h>

#include "SdlTestSupport.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"

namespace wispen {
namespace {

// Real pointer input, made by the X server's test extension. Both libraries are loaded at run time, so the
// build needs no X headers and a machine without the extension skips the test.
class XTestPointer {
 public:
  XTestPointer() {
    x11_ = dlopen("libX11.so.6", RTLD_NOW);
    xtst_ = dlopen("libXtst.so.6", RTLD_NOW);
    if (x11_ == nullptr || xtst_ == nullptr) return;
    open_ = reinterpret_cast<OpenDisplay>(dlsym(x11_, "XOpenDisplay"));
    close_ = reinterpret_cast<CloseDisplay>(dlsym(x11_, "XCloseDisplay"));
    flush_ = reinterpret_cast<Flush>(dlsym(x11_, "XFlush"));
    motion_ = reinterpret_cast<FakeMotion>(dlsym(xtst_, "XTestFakeMotionEvent"));
    button_ = reinterpret_cast<FakeButton>(dlsym(xtst_, "XTestFakeButtonEvent"));
    if (open_ && close_ && flush_ && motion_ && button_) display_ = open_(nullptr);
  }
  ~XTestPointer() {
    if (display_ != nullptr) close_(display_);
    if (xtst_ != nullptr) dlclose(xtst_);
    if (x11_ != nullptr) dlclose(x11_);
  }
  XTestPointer(const XTestPointer&) = delete;
  XTestPointer& operator=(const XTestPointer&) = delete;

  bool Ready() const { return display_ != nullptr; }
  void MoveTo(int x, int y) {
    motion_(display_, 0, x, y, 0);
    flush_(display_);
  }
  void Left(bool down) {
    button_(display_, 1, down ? 1 : 0, 0);
    flush_(display_);
  }

 private:
  using OpenDisplay = void* (*)(const char*);
  using CloseDisplay = int (*)(void*);
  using Flush = int (*)(void*);
  using FakeMotion = int (*)(void*, int, int, int, unsigned long);
  using FakeButton = int (*)(void*, unsigned, int, unsigned long);

  void* x11_ = nullptr;
  void* xtst_ = nullptr;
  OpenDisplay open_ = nullptr;
  CloseDisplay close_ = nullptr;
  Flush flush_ = nullptr;
  FakeMotion motion_ = nullptr;
  FakeButton button_ = nullptr;
  void* display_ = nullptr;
};

TEST(SdlDrag, ADragOffTheWindowKeepsReportingThePointerOutOfRange) {
  XTestPointer pointer;
  if (!pointer.Ready()) GTEST_SKIP() << "no X test extension (libxtst6) to make real pointer input with";
  test::BlankText text;
  SdlImageCodec codec;
  SdlPlatform platform(PlatformBase::Settings{}, SdlPlatform::Options{1}, text, codec);
  test::FakeGame game;
  size_t movesBeforePress = 0;
  game.onPress = [&](const test::PressSeen&) { movesBeforePress = game.moves.size(); };
  // One step of the drag a tick, so that the window sees each on its own.
  TTimer step(platform.Timers(), 100);
  int n = 0;
  step.OnTimer = [&] {
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(platform.Window(), &wx, &wy);
    switch (n++) {
      case 0:
        pointer.MoveTo(wx + 100, wy + 100);
        break;
      case 1:
        pointer.Left(true);
        break;
      case 2:
        pointer.MoveTo(wx - 20, wy + 100);
        break;
      case 3:
        pointer.MoveTo(wx - 40, wy - 10);
        break;
      case 4:
        pointer.Left(false);
        break;
      case 5:
        pointer.MoveTo(wx - 60, wy + 100);  // let go outside: the window hears no more
        break;
      default:
        platform.CloseMainWindow();
    }
  };
  game.onShow = [&] { step.SetEnabled(true); };
  Application app(platform);
  app.SetMainWindow(&game);
  platform.Run(app, nullptr);

  ASSERT_EQ(game.presses.size(), 1u);
  EXPECT_EQ(game.presses[0], (test::PressSeen{TMouseButton::mbLeft, ssLeft, 100, 100}));
  const std::vector<test::MoveSeen> dragged(game.moves.begin() + movesBeforePress, game.moves.end());
  EXPECT_EQ(dragged, (std::vector<test::MoveSeen>{{ssLeft, -20, 100}, {ssLeft, -40, -10}}));
}

}  // namespace
}  // namespace wispen
