#include <gtest/gtest.h>

#include "SdlTestSupport.h"
#include "XTestInput.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"

namespace wispen {
namespace {

TEST(SdlDrag, ADragOffTheWindowKeepsReportingThePointerOutOfRange) {
  test::XTestInput pointer;
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
