#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "headless/HeadlessPlatform.h"
#include "platform/ScriptRunner.h"
#include "support/TestServices.h"

namespace wispen {
namespace {

// A main window that records what reaches it and can be told to misbehave.
class RecordingWindow : public MainWindowEvents {
 public:
  explicit RecordingWindow(Platform& p) : platform(p), screen(640, 480) {}
  void FormShow() override { events.push_back("show"); }
  void FormClose() override {
    events.push_back("close");
    if (closeFails) throw std::runtime_error("cannot write the progress file");
  }
  void FormCloseUnsaved() override { events.push_back("close unsaved"); }
  void ScreenImageMouseMove(TShiftState, int x, int y) override {
    events.push_back("move " + std::to_string(x) + " " + std::to_string(y) + " at " +
                     std::to_string(platform.GetClock().NowMs()));
  }
  void ScreenImageMouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    events.push_back("down " + std::to_string(static_cast<int>(b)) + " " + std::to_string(s) + " " +
                     std::to_string(x) + " " + std::to_string(y));
    if (onPress) onPress();
  }
  const TBitmap& ScreenPicture() const override { return screen; }
  void AppendState(StateList& state) const override { state.emplace_back("Ticks", std::to_string(ticks)); }

  Platform& platform;
  TBitmap screen;
  std::vector<std::string> events;
  bool closeFails = false;
  int ticks = 0;
  std::function<void()> onPress;
};

struct HeadlessFixture : ::testing::Test {
  testing::BoxTextEngine text;
  testing::MemoryImageCodec codec;
  HeadlessPlatform platform{PlatformBase::Settings{}, text, codec};
  Application app{platform};
  RecordingWindow window{platform};
  std::string logFile = ::testing::TempDir() + "headless_test_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";

  void SetUp() override {
    app.SetMainWindow(&window);
    ASSERT_TRUE(platform.Log().Open(logFile));
  }
  void TearDown() override { std::remove(logFile.c_str()); }

  int Run(const std::string& script) {
    std::istringstream in(script);
    return platform.Run(app, ParseScript(in, "test"));
  }
  std::string Log() {
    std::ifstream in(logFile);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(HeadlessFixture, AWarpsMoveArrivesRightAfterTheHandlerAtTheSameTime) {
  TTimer t(platform.Timers(), 40);
  t.OnTimer = [&] {
    platform.SetCursorPos(100, 200);
    window.events.push_back("tick done");
    t.SetEnabled(false);
  };
  t.SetEnabled(true);
  EXPECT_EQ(Run("wait 100\nmove 5 5\n"), kExitOk);
  EXPECT_EQ(window.events, (std::vector<std::string>{"show", "tick done", "move 100 200 at 40",
                                                     "move 5 5 at 100", "close"}));
  EXPECT_NE(Log().find("40 warp 100 200\n"), std::string::npos);
  EXPECT_NE(Log().find("100 close\n"), std::string::npos);
}

TEST_F(HeadlessFixture, APressMovesThePointerFirstOnlyWhenItIsElsewhere) {
  EXPECT_EQ(Run("move 10 20\npress left 10 20\npress right 30 40 shift\n"), kExitOk);
  const std::string rightShift = std::to_string(ssRight | ssShift);
  EXPECT_EQ(window.events,
            (std::vector<std::string>{"show", "move 10 20 at 0", "down 0 8 10 20", "move 30 40 at 0",
                                      "down 1 " + rightShift + " 30 40", "close"}));
}

TEST_F(HeadlessFixture, AnEscapingExceptionShowsTheErrorBoxAndTheLoopGoesOn) {
  TTimer t(platform.Timers(), 10);
  t.OnTimer = [&] {
    ++window.ticks;
    throw std::runtime_error("boom");
  };
  t.SetEnabled(true);
  EXPECT_EQ(Run("wait 35\nexpect Ticks 3\n"), kExitOk);
  EXPECT_NE(Log().find("10 message Wispen Version 1|boom\n"), std::string::npos);
}

TEST_F(HeadlessFixture, NoTimerTicksWhileAMessageBoxIsOpen) {
  // The headless box closes at once, so the only check is that a box from inside a tick does not re-enter it.
  TTimer t(platform.Timers(), 10);
  int depth = 0, maxDepth = 0;
  t.OnTimer = [&] {
    maxDepth = std::max(maxDepth, ++depth);
    EXPECT_FALSE(platform.Timers().Suspended());
    platform.ShowMessage("c", "t");
    --depth;
  };
  t.SetEnabled(true);
  EXPECT_EQ(Run("wait 50\n"), kExitOk);
  EXPECT_EQ(maxDepth, 1);
}

TEST_F(HeadlessFixture, AFailedExpectStopsWithStatusThree) {
  EXPECT_EQ(Run("expect Ticks 1\nmove 1 1\n"), kExitExpectFailed);
  EXPECT_EQ(window.events.back(), "close");
  EXPECT_EQ(std::count(window.events.begin(), window.events.end(), "move 1 1 at 0"), 0);
}

TEST_F(HeadlessFixture, UntilStopsAtTheTickThatMakesTheValueHoldAndFailsWhenTimeRunsOut) {
  TTimer t(platform.Timers(), 30);
  t.OnTimer = [&] { ++window.ticks; };
  t.SetEnabled(true);
  // Holds at 90 ms: the move comes at that time, not at the limit. Holding already takes no time.
  EXPECT_EQ(Run("until Ticks 3 1000\nuntil Ticks 3 0\nmove 1 1\nuntil Ticks 5 59\nmove 2 2\n"),
            kExitExpectFailed);
  EXPECT_NE(std::find(window.events.begin(), window.events.end(), "move 1 1 at 90"), window.events.end());
  EXPECT_EQ(window.ticks, 4);  // 120 ran; 150 lies beyond 90 + 59
  EXPECT_EQ(std::count(window.events.begin(), window.events.end(), "move 2 2 at 149"), 0);
}

TEST_F(HeadlessFixture, UntilANameThatIsNoStateValueFailsAtOnce) {
  EXPECT_EQ(Run("until Nothing 1\n"), kExitExpectFailed);
  EXPECT_EQ(platform.GetClock().NowMs(), 0);
  // The screen's digest, left out while other values are waited for, is there when it is asked for.
  EXPECT_EQ(Run("until ScreenDigest " + PictureDigest(window.ScreenPicture()) + " 0\n"), kExitOk);
}

TEST_F(HeadlessFixture, ACloseThatFailsKeepsTheWindowAndTheScriptEndsWithStatusFour) {
  window.closeFails = true;
  EXPECT_EQ(Run("close\nmove 3 3\n"), kExitCloseFailed);
  EXPECT_FALSE(app.Closed());
  EXPECT_NE(Log().find("message Wispen Version 1|cannot write the progress file"), std::string::npos);
  EXPECT_NE(std::find(window.events.begin(), window.events.end(), "move 3 3 at 0"), window.events.end());
}

// A player who answers Yes to every question box.
class SayingYes : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;

 protected:
  bool RunQuestionBox(const std::string&, const std::string&) override { return true; }
};

// The progress file cannot be written: the first close keeps the window; the second asks, and Yes closes it
// without saving. Where no one can be asked (a signal, the window gone) the close happens all the same.
TEST(QuitWithoutSaving, FromTheSecondFailedCloseOnYesClosesWithoutSaving) {
  testing::BoxTextEngine text;
  testing::MemoryImageCodec codec;
  SayingYes platform{PlatformBase::Settings{}, text, codec};
  Application app{platform};
  RecordingWindow window{platform};
  window.closeFails = true;
  app.SetMainWindow(&window);
  EXPECT_FALSE(app.CloseBox());
  EXPECT_EQ(window.events, (std::vector<std::string>{"close"}));
  EXPECT_TRUE(app.CloseBox());
  EXPECT_EQ(window.events, (std::vector<std::string>{"close", "close", "close unsaved"}));

  Application ended{platform};
  RecordingWindow other{platform};
  other.closeFails = true;
  ended.SetMainWindow(&other);
  EXPECT_EQ(ended.CloseWithoutAsking(), "cannot write the progress file");
  EXPECT_TRUE(ended.Closed());
  EXPECT_EQ(other.events, (std::vector<std::string>{"close", "close unsaved"}));
}

TEST_F(HeadlessFixture, CommandsAfterTheWindowClosedAreNotRun) {
  window.onPress = [&] { platform.CloseMainWindow(); };
  EXPECT_EQ(Run("press left 1 1\nmove 9 9\n"), kExitOk);
  EXPECT_EQ(window.events.back(), "close");
  EXPECT_EQ(std::count(window.events.begin(), window.events.end(), "close"), 1);
}

TEST_F(HeadlessFixture, ShotWritesTheScreenPicture) {
  window.screen.At(3, 4) = 0x123456;
  EXPECT_EQ(Run("shot a.png\nshot b.bmp\nshot c.Bmp\nshot d.PNG\n"), kExitOk);
  ASSERT_EQ(codec.saved.count("a.png"), 1u);
  EXPECT_EQ(codec.saved["a.png"].At(3, 4), 0x123456u);
  EXPECT_EQ(codec.saved["b.bmp"].Width(), 640);
  // The extension decides the format in whatever case it is written.
  EXPECT_EQ(codec.format["c.Bmp"], "bmp");
  EXPECT_EQ(codec.format["d.PNG"], "png");
}

TEST_F(HeadlessFixture, TheClockStopsAtTheLatestTimeItKeeps) {
  platform.Wait(kLatestTimeMs - 10);
  platform.Wait(kLatestTimeMs);
  platform.Wait(kLatestTimeMs);
  EXPECT_EQ(platform.GetClock().NowMs(), kLatestTimeMs);
}

TEST_F(HeadlessFixture, TheCursorIsLoggedWhenItChanges) {
  platform.SetCursorVisible(false);
  platform.SetCursorVisible(false);
  platform.SetCursorVisible(true);
  EXPECT_EQ(Log(), "0 cursor hidden\n0 cursor shown\n");
}

}  // namespace
}  // namespace wispen
