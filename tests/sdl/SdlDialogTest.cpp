#include <gtest/gtest.h>

#include "SdlTestSupport.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"

namespace wispen {
namespace {

// A dialog that records what reaches it; on its first paint it runs what the test hangs there.
class RecordingDialog : public ModalDialog {
 public:
  std::function<void()> onFirstPaint;
  std::vector<std::string> seen;
  bool textEngineSet = false;
  bool finished = false;

  std::string Caption() const override { return "Score board"; }
  TSize ClientSize() const override { return {300, 200}; }
  void Paint(TCanvas& canvas) override {
    textEngineSet = canvas.GetTextEngine() != nullptr;
    canvas.BrushColor = clSilver;
    canvas.FillRect({0, 0, 300, 200});
    if (paints_++ == 0 && onFirstPaint) onFirstPaint();
  }
  void MouseDown(TMouseButton, int x, int y) override { Note("down", x, y); }
  void MouseUp(TMouseButton, int x, int y) override { Note("up", x, y); }
  void KeyDown(DialogKey key) override {
    seen.push_back("key " + std::to_string(static_cast<int>(key)));
    if (key == DialogKey::Enter) finished = true;
  }
  bool Finished() const override { return finished; }
  void CloseBox() override { seen.push_back("close box"); }
  void Shown() override { seen.push_back("shown"); }
  std::vector<std::string> CloseHeadless(const HeadlessDialogInput&) override {
    seen.push_back("closed headless");
    return {};
  }

 private:
  void Note(const char* what, int x, int y) {
    seen.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  int paints_ = 0;
};

struct DialogWindowSeen {
  uint32_t id = 0;
  int width = 0, height = 0;
  bool onTop = false;
};

TEST(SdlDialog, ADialogIsARealWindowThatItsCloseBoxOrItsOwnKeyEnds) {
  test::BlankText text;
  SdlImageCodec codec;
  SdlPlatform platform(PlatformBase::Settings{}, SdlPlatform::Options{2}, text, codec);
  const uint32_t mainId = SDL_GetWindowID(platform.Window());
  test::FakeGame game;
  RecordingDialog byCloseBox, byEnter;
  DialogWindowSeen window;
  bool gone = false;

  byCloseBox.onFirstPaint = [&] {
    SDL_Window* w = test::FindWindow("Score board");
    ASSERT_NE(w, nullptr);
    window.id = SDL_GetWindowID(w);
    SDL_GetWindowSize(w, &window.width, &window.height);
    window.onTop = (SDL_GetWindowFlags(w) & SDL_WINDOW_ALWAYS_ON_TOP) != 0;
    test::PushButton(mainId, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 8,
                     8);      // the main window takes no input now
    test::PushClose(mainId);  // nor its close box
    test::PushButton(window.id, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 6);
    test::PushButton(window.id, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 7, 8);
    test::PushKey(window.id, SDLK_DOWN);
    test::PushClose(window.id);
  };
  byEnter.onFirstPaint = [&] {
    SDL_Window* w = test::FindWindow("Score board");
    ASSERT_NE(w, nullptr);
    test::PushKey(SDL_GetWindowID(w), SDLK_ESCAPE);
    test::PushKey(SDL_GetWindowID(w), SDLK_KP_ENTER);
  };
  game.onPress = [&](const test::PressSeen&) {
    platform.ShowModal(byCloseBox);
    gone = SDL_GetWindowFromID(window.id) == nullptr;
    platform.ShowModal(byEnter);
    platform.CloseMainWindow();
  };
  test::PushButton(mainId, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 100);

  Application app(platform);
  app.SetMainWindow(&game);
  EXPECT_EQ(platform.Run(app, nullptr), 0);

  EXPECT_EQ(game.presses.size(), 1u);
  EXPECT_EQ(game.closes, 1);
  // The dialog keeps its own pixel size; the game's scale is for the screen picture.
  EXPECT_EQ(window.width, 300);
  EXPECT_EQ(window.height, 200);
  EXPECT_TRUE(window.onTop);
  EXPECT_TRUE(gone);
  EXPECT_TRUE(byCloseBox.textEngineSet);
  const auto key = [](DialogKey k) { return "key " + std::to_string(static_cast<int>(k)); };
  EXPECT_EQ(byCloseBox.seen,
            (std::vector<std::string>{"shown", "down 5,6", "up 7,8", key(DialogKey::Down), "close box"}));
  EXPECT_EQ(byEnter.seen, (std::vector<std::string>{"shown", key(DialogKey::Escape), key(DialogKey::Enter)}));
}

}  // namespace
}  // namespace wispen
