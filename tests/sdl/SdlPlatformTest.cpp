#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "SdlTestSupport.h"
#include "ServerPixels.h"
#include "platform/ScriptRunner.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"
#include "sdl/X11Session.h"

namespace wispen {
namespace {

using test::FakeGame;
using test::MoveSeen;
using test::PressSeen;

class SdlPlatformTest : public ::testing::Test {
 protected:
  std::unique_ptr<SdlPlatform> Open(int scale) {
    return std::make_unique<SdlPlatform>(PlatformBase::Settings{}, SdlPlatform::Options{scale}, text_,
                                         codec_);
  }

  int RunGame(SdlPlatform& platform, const std::vector<ScriptCommand>* script = nullptr) {
    Application app(platform);
    app.SetMainWindow(&game);
    return platform.Run(app, script);
  }

  FakeGame game;

 private:
  test::BlankText text_;
  SdlImageCodec codec_;
};

uint32_t MainId(const SdlPlatform& p) {
  return SDL_GetWindowID(p.Window());
}

// The game's own thread: the soundfont loads once on a thread of its own at start-up, which is not idling.
int64_t CpuMicros() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL + usage.ru_utime.tv_usec +
         usage.ru_stime.tv_usec;
}

int64_t WallMicros() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

TEST_F(SdlPlatformTest, WindowIsTitledAndItsClientAreaIsTheScaledScreen) {
  for (int scale : {1, 2}) {
    auto platform = Open(scale);
    int w = 0, h = 0;
    SDL_GetWindowSize(platform->Window(), &w, &h);
    EXPECT_STREQ(SDL_GetWindowTitle(platform->Window()), "Wispen Version 1");
    EXPECT_EQ(w, 640 * scale);
    EXPECT_EQ(h, 480 * scale);
    // The player may resize it: the picture then stays whole-pixel scaled, centred on black.
    EXPECT_NE(SDL_GetWindowFlags(platform->Window()) & SDL_WINDOW_RESIZABLE, 0u);
  }
}

TEST_F(SdlPlatformTest, MouseInputReachesTheGameInScreenPixelsWithItsShiftSet) {
  auto platform = Open(2);
  const uint32_t id = MainId(*platform);
  SDL_SetModState(KMOD_LSHIFT);
  test::PushButton(id, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 200, 100);
  // Dragged off the window with the left button held: the position stays out of range.
  test::PushMotion(id, -3, 1001, SDL_BUTTON_LMASK);
  test::PushButton(id, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 3, 3, 2);
  test::PushButton(id, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 3, 3, 3);
  test::PushButton(id, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 3, 3);
  // Moves waiting together are one move: where the pointer is now.
  test::PushMotion(id, 10, 10);
  test::PushMotion(id, 41, 61);
  test::PushMotion(id + 100, 50, 50);  // another window's
  test::PushClose(id);

  EXPECT_EQ(RunGame(*platform), kExitOk);
  SDL_SetModState(KMOD_NONE);

  EXPECT_EQ(game.shows, 1);
  EXPECT_EQ(game.closes, 1);
  const std::vector<PressSeen> presses{
      {TMouseButton::mbRight, ssRight | ssShift, 100, 50},
      {TMouseButton::mbLeft, ssLeft | ssShift | ssDouble, 1, 1},
      {TMouseButton::mbLeft, ssLeft | ssShift, 1, 1},
  };
  EXPECT_EQ(game.presses, presses);
  // A press away from where the game last saw the pointer brings a move there first, as a script's press
  // does.
  const std::vector<MoveSeen> moves{
      {ssShift, 100, 50}, {ssLeft | ssShift, -2, 500}, {ssShift, 1, 1}, {ssShift, 20, 30}};
  EXPECT_EQ(game.moves, moves);
}

TEST_F(SdlPlatformTest, TimersTickThroughTheLoopAndAWarpIsDeliveredBeforeTheNextTick) {
  auto platform = Open(2);
  const std::string logFile = ::testing::TempDir() + "sdl_timer.log";
  ASSERT_TRUE(platform->Log().Open(logFile));
  TTimer timer(platform->Timers(), 30);
  int ticks = 0;
  std::vector<std::string> seen;
  std::optional<TPoint> cursorAfterWarp;
  timer.OnTimer = [&] {
    seen.push_back("tick " + std::to_string(++ticks));
    if (ticks == 1) {
      platform->SetCursorPos(100, 50);
      cursorAfterWarp = platform->CursorPos();
    }
    if (ticks == 3) platform->CloseMainWindow();
  };
  game.onMove = [&](const MoveSeen& m) {
    seen.push_back("move " + std::to_string(m.x) + "," + std::to_string(m.y));
  };
  game.onShow = [&] { timer.SetEnabled(true); };
  const int64_t start = WallMicros();

  EXPECT_EQ(RunGame(*platform), kExitOk);

  // Three periods of 30 ms, less up to one of the clock's whole milliseconds: the timer started within the
  // millisecond its clock read, and the third tick came as the clock turned to its due one.
  EXPECT_GE(WallMicros() - start, 89'000);
  EXPECT_LT(WallMicros() - start, 2'000'000);
  EXPECT_EQ(ticks, 3);
  // The warp's move comes right after the tick that warped, at the point warped to. (The window system may
  // report moves of its own as well, when the pointer enters the window.)
  const auto tick1 = std::find(seen.begin(), seen.end(), "tick 1");
  ASSERT_NE(tick1, seen.end());
  ASSERT_NE(tick1 + 1, seen.end());
  EXPECT_EQ(*(tick1 + 1), "move 100,50");
  ASSERT_TRUE(cursorAfterWarp);
  EXPECT_EQ(*cursorAfterWarp, (TPoint{100, 50}));

  std::ifstream log(logFile);
  std::stringstream text;
  text << log.rdbuf();
  EXPECT_NE(text.str().find(" warp 100 50\n"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find(" close\n"), std::string::npos) << text.str();
}

TEST_F(SdlPlatformTest, TheScreenPictureIsShownScaledByWholePixels) {
  // With the software renderer the picture is written to the window's surface, where it can be read back.
  test::ScopedEnv renderer("SDL_RENDER_DRIVER", "software");
  auto platform = Open(2);
  game.screen.At(10, 20) = RGB(255, 0, 0);
  game.screen.At(639, 479) = RGB(0, 0, 255);
  std::vector<uint32_t> shown;
  TTimer timer(platform->Timers(), 10);
  timer.OnTimer = [&] {
    EXPECT_EQ(SDL_GetRenderer(platform->Window()), nullptr) << "a software renderer draws the picture";
    SDL_Surface* surface = SDL_GetWindowSurface(platform->Window());
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->format->BytesPerPixel, 4);
    auto read = [&](std::initializer_list<SDL_Point> points) {
      for (SDL_Point p : points) {
        uint32_t pixel = 0;
        std::memcpy(&pixel, static_cast<uint8_t*>(surface->pixels) + p.y * surface->pitch + p.x * 4, 4);
        uint8_t r = 0, g = 0, b = 0;
        SDL_GetRGB(pixel, surface->format, &r, &g, &b);
        shown.push_back(RGB(r, g, b));
      }
    };
    read({SDL_Point{20, 40}, SDL_Point{21, 41}, SDL_Point{22, 40}, SDL_Point{1279, 959}});
    // A change after the picture was shown is shown too (an unchanged picture is not drawn again).
    game.screen.At(10, 20) = RGB(0, 255, 0);
    platform->Repaint();
    read({SDL_Point{20, 40}});
    platform->CloseMainWindow();
  };
  game.onShow = [&] { timer.SetEnabled(true); };

  RunGame(*platform);

  EXPECT_EQ(shown,
            (std::vector<uint32_t>{RGB(255, 0, 0), RGB(255, 0, 0), clBlack, RGB(0, 0, 255), RGB(0, 255, 0)}));
}

TEST_F(SdlPlatformTest, AfterEachChangeTheWindowShowsTheWholePictureThoughOnlyItsChangesAreDrawn) {
  auto platform = Open(2);
  std::mt19937 random(18);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  int frames = 0;
  TTimer timer(platform->Timers(), 10);
  timer.OnTimer = [&] {
    // A few blocks of colour apart from one another, touching the edges at times, as a frame of play
    // changes its view and a counter.
    for (int block = below(4); block > 0; --block) {
      const int left = below(640), top = below(480);
      game.screen.Canvas().BrushColor = RGB(below(256), below(256), below(256));
      game.screen.Canvas().FillRect({left, top, left + 1 + below(640 - left), top + 1 + below(480 - top)});
    }
    platform->Repaint();
    const std::vector<TColor> shown = test::ShownByTheServer(X11Session::IdOf(platform->Window()), 1280, 960);
    ASSERT_EQ(shown.size(), 1280u * 960u);
    for (int y = 0; y < 960; ++y)
      for (int x = 0; x < 1280; ++x)
        ASSERT_EQ(shown[y * 1280 + x], game.screen.At(x / 2, y / 2))
            << "frame " << frames << " at " << x << "," << y;
    if (++frames == 12) platform->CloseMainWindow();
  };
  game.onShow = [&] { timer.SetEnabled(true); };

  RunGame(*platform);
  EXPECT_EQ(frames, 12);
}

TEST_F(SdlPlatformTest, AScriptPlaysInRealTimeAndIsTheOnlyMouse) {
  auto platform = Open(1);
  std::istringstream text(
      "move 10 20\n"
      "wait 150\n"
      "press right 30 40 shift\n"
      "updown 3\n"
      "press left 30 40\n"
      "expect Moves 2\n");
  const std::vector<ScriptCommand> script = ParseScript(text, "test");
  // A real press that comes while the script plays is not the game's.
  test::PushButton(MainId(*platform), SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 300, 300);
  struct Dialog : ModalDialog {
    std::optional<int> position;
    std::string Caption() const override { return "Debug"; }
    TSize ClientSize() const override { return {100, 100}; }
    void Paint(TCanvas&) override {}
    bool Finished() const override { return true; }
    std::vector<std::string> CloseHeadless(const HeadlessDialogInput& input) override {
      position = input.UpDownPosition;
      return {};
    }
  } dialog;
  game.onPress = [&](const PressSeen& p) {
    if (p.button == TMouseButton::mbLeft) platform->ShowModal(dialog);
  };
  const int64_t start = WallMicros();

  EXPECT_EQ(RunGame(*platform, &script), kExitOk);

  EXPECT_GE(WallMicros() - start, 149'000);  // the wait, less up to one of the clock's whole milliseconds
  EXPECT_EQ(game.moves, (std::vector<MoveSeen>{{0, 10, 20}, {0, 30, 40}}));
  EXPECT_EQ(game.presses, (std::vector<PressSeen>{{TMouseButton::mbRight, ssRight | ssShift, 30, 40},
                                                  {TMouseButton::mbLeft, ssLeft, 30, 40}}));
  EXPECT_EQ(dialog.position, 3);
  EXPECT_EQ(game.closes, 1);
}

TEST_F(SdlPlatformTest, AFailedExpectEndsTheScriptWithItsStatusAndClosesTheWindow) {
  auto platform = Open(1);
  std::istringstream text("expect Moves 7\nmove 1 1\n");
  const std::vector<ScriptCommand> script = ParseScript(text, "test");

  EXPECT_EQ(RunGame(*platform, &script), kExitExpectFailed);
  EXPECT_TRUE(game.moves.empty());
  EXPECT_EQ(game.closes, 1);
}

// Runs the loop for `seconds` with `timer` (if enabled) as the only thing to do, then returns the share of
// one core it used meanwhile. The count starts once the window has settled: its first picture is a one-off
// start-up cost, not idling. The close is timed from then too, so that a slow start on a busy machine does
// not shorten the time measured.
double IdleShare(SdlPlatform& platform, FakeGame& game, TTimer* timer, double seconds) {
  int64_t cpu0 = 0, wall0 = 0, cpu1 = 0, wall1 = 0;
  std::atomic<bool> settled = false;
  TTimer settle(platform.Timers(), 300);
  settle.OnTimer = [&] {
    settle.SetEnabled(false);
    if (timer) timer->SetEnabled(true);
    cpu0 = CpuMicros();
    wall0 = WallMicros();
    settled = true;
  };
  game.onShow = [&] { settle.SetEnabled(true); };
  game.onClose = [&] {
    cpu1 = CpuMicros();
    wall1 = WallMicros();
  };
  const uint32_t id = MainId(platform);
  std::thread closer([id, seconds, &settled] {
    // A window that never settles is closed all the same, and the test fails on its count.
    for (int waited = 0; !settled && waited < 2000; ++waited)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    test::PushClose(id);
  });
  Application app(platform);
  app.SetMainWindow(&game);
  platform.Run(app, nullptr);
  closer.join();
  return static_cast<double>(cpu1 - cpu0) / static_cast<double>(wall1 - wall0);
}

double MeasureSeconds() {
  const char* s = std::getenv("WISPEN_IDLE_SECONDS");
  return s != nullptr ? std::atof(s) : 2.0;
}

TEST_F(SdlPlatformTest, TheLoopSleepsWhenNothingIsDue) {
  auto platform = Open(1);
  const double share = IdleShare(*platform, game, nullptr, MeasureSeconds());
  RecordProperty("idle_cpu_percent", std::to_string(share * 100));
  std::printf("idle, no timer: %.3f%% of a core\n", share * 100);
  EXPECT_LT(share, 0.01);
}

TEST_F(SdlPlatformTest, TheLoopSleepsBetweenTicksOfASlowTimer) {
  auto platform = Open(1);
  TTimer timer(platform->Timers(), 250);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  const double share = IdleShare(*platform, game, &timer, MeasureSeconds());
  std::printf("idle, 250 ms timer: %.3f%% of a core, %d ticks\n", share * 100, ticks);
  // Each tick puts a new picture on the screen, which has its price; a loop that spun would take a whole
  // core.
  EXPECT_LT(share, 0.05);
  EXPECT_GE(ticks, static_cast<int>(MeasureSeconds() * 4) - 1);
  EXPECT_LE(ticks, static_cast<int>(MeasureSeconds() * 4));
}

TEST_F(SdlPlatformTest, WithoutADisplayConstructionSaysHowToRunInstead) {
  test::ScopedEnv display("DISPLAY", std::nullopt);
  test::ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
  test::ScopedEnv driver("SDL_VIDEODRIVER", "x11");
  try {
    Open(1);
    FAIL() << "a window opened without a display";
  } catch (const NoDisplayError& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    EXPECT_NE(message.find("--headless --script FILE"), std::string::npos) << message;
    EXPECT_NE(message.find("xvfb-run"), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace wispen
