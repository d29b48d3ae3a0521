// The game's own score board and stage selector in real windows: separate, on top, modal.
#include <gtest/gtest.h>

#include "SdlTestSupport.h"
#include "XTestInput.h"
#include "play/Forms.h"
#include "screens/DebugUnit.h"
#include "screens/ScoreUnit.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"

namespace wispen {
namespace {

// Runs `hook` once, on the dialog's first paint, inside its own modal loop.
template <typename Form>
class Hooked : public Form {
 public:
  using Form::Form;
  std::function<void()> hook;
  void Paint(TCanvas& canvas) override {
    Form::Paint(canvas);
    if (hook) std::exchange(hook, nullptr)();
  }
};

struct WindowSeen {
  uint32_t id = 0;
  int width = 0, height = 0;
  bool onTop = false;
};

WindowSeen Look(const std::string& title) {
  WindowSeen seen;
  SDL_Window* w = test::FindWindow(title);
  if (w == nullptr) return seen;
  seen.id = SDL_GetWindowID(w);
  SDL_GetWindowSize(w, &seen.width, &seen.height);
  seen.onTop = (SDL_GetWindowFlags(w) & SDL_WINDOW_ALWAYS_ON_TOP) != 0;
  return seen;
}

TEST(SdlGameDialogs, TheScoreBoardAndTheSelectorAreModalWindowsOfTheirOwn) {
  test::BlankText text;
  SdlImageCodec codec;
  SdlPlatform platform(PlatformBase::Settings{}, SdlPlatform::Options{1}, text, codec);
  const uint32_t mainId = SDL_GetWindowID(platform.Window());
  test::FakeGame game;
  Forms forms(platform);
  Hooked<TScoreForm> board(forms);
  Hooked<TDebugForm> selector(forms);
  board.FormCreate();
  selector.FormCreate();
  TTimer ticker(platform.Timers(), 10);
  int ticks = 0, ticksDuringDialogs = 0;
  ticker.OnTimer = [&] { ++ticks; };
  WindowSeen boardWindow, selectorWindow;

  board.hook = [&] {
    boardWindow = Look("Score Board");
    test::PushButton(mainId, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10);  // the game takes no presses now
    test::PushButton(boardWindow.id, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 380, 250);  // OK
    test::PushButton(boardWindow.id, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 380, 250);
  };
  selector.hook = [&] {
    selectorWindow = Look("Debug");
    test::PushButton(selectorWindow.id, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 90, 14);  // the upper arrow
    test::PushButton(selectorWindow.id, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 90, 14);
    test::PushKey(selectorWindow.id, SDLK_UP);
    test::PushClose(selectorWindow.id);
  };
  game.onPress = [&](const test::PressSeen&) {
    ticker.SetEnabled(true);
    const int before = ticks;
    platform.ShowModal(board);
    platform.ShowModal(selector);
    ticksDuringDialogs = ticks - before;
    platform.CloseMainWindow();
  };
  test::PushButton(mainId, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 100);

  Application app(platform);
  app.SetMainWindow(&game);
  EXPECT_EQ(platform.Run(app, nullptr), 0);

  EXPECT_EQ(game.presses.size(), 1u);
  EXPECT_EQ(boardWindow.width, 466);
  EXPECT_EQ(boardWindow.height, 296);
  EXPECT_TRUE(boardWindow.onTop);
  EXPECT_NE(boardWindow.id, mainId);
  EXPECT_EQ(selectorWindow.width, 133);
  EXPECT_EQ(selectorWindow.height, 63);
  EXPECT_TRUE(selectorWindow.onTop);
  EXPECT_EQ(selector.Position(), 3);
  EXPECT_EQ(ticksDuringDialogs, 0);
}

// Esc and Return, real keys of the X server, close the selector as its close box does (which a desktop
// without a window manager does not draw).
TEST(SdlGameDialogs, EscapeAndReturnCloseTheSelector) {
  test::XTestInput input;
  if (!input.Ready()) GTEST_SKIP() << "no X test extension (libxtst6) to make real key input with";
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
  test::BlankText text;
  SdlImageCodec codec;
  SdlPlatform platform(PlatformBase::Settings{}, SdlPlatform::Options{1}, text, codec);
  test::FakeGame game;
  Forms forms(platform);
  Hooked<TDebugForm> selector(forms);
  selector.FormCreate();
  for (const char* key : {"Escape", "Return"}) {
    selector.hook = [&] {
      SDL_Window* window = test::FindWindow("Debug");
      ASSERT_NE(window, nullptr);
      int x = 0, y = 0;
      SDL_GetWindowPosition(window, &x, &y);
      input.MoveTo(x + 10, y + 10);  // keys go where the pointer is when no window manager gives focus
      input.Key(key);
      // Should the key not close it, the close box does after a while, and the test fails on the time.
      SDL_AddTimer(
          3000,
          [](Uint32, void* id) -> Uint32 {
            test::PushClose(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(id)));
            return 0;
          },
          reinterpret_cast<void*>(static_cast<uintptr_t>(SDL_GetWindowID(window))));
    };
    const uint64_t start = SDL_GetTicks64();
    platform.ShowModal(selector);
    EXPECT_LT(SDL_GetTicks64() - start, 2500u) << key << " did not close the selector";
  }
  SDL_QuitSubSystem(SDL_INIT_TIMER);
}

}  // namespace
}  // namespace wispen
