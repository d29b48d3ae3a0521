#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "headless/HeadlessPlatform.h"
#include "platform/Recorder.h"
#include "platform/Script.h"
#include "replays/ReplayStore.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace wispen {
namespace {

class StateWindow : public MainWindowEvents {
 public:
  StateWindow() : screen(4, 3) {}
  void FormShow() override {}
  void FormClose() override {}
  void ScreenImageMouseMove(TShiftState, int, int) override {}
  void ScreenImageMouseDown(TMouseButton, TShiftState, int, int) override {}
  const TBitmap& ScreenPicture() const override { return screen; }
  void AppendState(StateList& state) const override {
    state = {{"MenuMode", "2"}, {"SoulX", "9"}, {"HighScores.0", "1,0,1,70"}, {"LastPress", ""}};
  }
  TBitmap screen;
};

TEST(Recorder, WritesTheInputOnTheClockThenTheEndStateAPlayerCanRead) {
  testing::BoxTextEngine text;
  testing::MemoryImageCodec codec;
  HeadlessPlatform platform{PlatformBase::Settings{}, text, codec};
  Application app{platform};
  StateWindow window;
  app.SetMainWindow(&window);
  Recorder rec(platform.GetClock());
  platform.Wait(120);
  rec.Move(5, 6);
  rec.Press(TMouseButton::mbRight, ssRight | ssCtrl | ssDouble | ssLeft, 5, 6);
  rec.UpDown(4);  // the press opened the debug selector: the replay must set it up before
  platform.Wait(10);
  rec.Note("a tick came late");
  rec.Close();
  platform.Wait(70);
  rec.End(app);
  platform.Wait(30);
  rec.End(app);  // the last call counts
  EXPECT_EQ(rec.Text(RecordingHeader{"ja", 2}),
            "# wispen-recording version=1 lang=ja speed=2 opening=play\n"
            "wait 120\nmove 5 6\nupdown 4\npress right 5 6 ctrl double\n# a tick came late\nwait 10\nclose\n"
            "wait 100\nexpect MenuMode 2\nexpect HighScores.0 1,0,1,70\nexpect ScreenDigest " +
                PictureDigest(window.screen) + "\n");
  window.screen.Pixels()[5] = clWhite;
  EXPECT_NE(PictureDigest(window.screen), rec.EndValue("ScreenDigest"));
}

TEST(Recorder, AHeaderIsReadFromTheTopCommentsAndADamagedOneIsRefusedByLine) {
  auto read = [](const std::string& text) {
    std::istringstream in(text);
    return ReadRecordingHeader(in, "r.script");
  };
  const auto h = read("#! data built\n\n# wispen-recording version=1 lang=ja speed=2 opening=skip\nwait 5\n");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->Lang, "ja");
  EXPECT_EQ(h->SpeedFactor, 2);
  EXPECT_TRUE(h->SkipOpening);
  EXPECT_FALSE(read("wait 5\n# wispen-recording version=1 lang=en speed=1\n"));
  for (const char* bad :
       {"# wispen-recording version=2 lang=en speed=1", "# wispen-recording lang=en",
        "# wispen-recording version=1 speed=0", "# wispen-recording version=1 lang=fr",
        "# wispen-recording version=1 colour=red", "# wispen-recording version=1 opening=maybe"}) {
    try {
      read(std::string("# made today\n") + bad + "\n");
      ADD_FAILURE() << bad;
    } catch (const ScriptError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("r.script:2: ", 0), 0u) << e.what();
    }
  }
}

TEST(ReplayStore, KeepsTheNewestAndNamesTheGameByItsEnd) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("replays_" + std::to_string(getpid()));
  fs::remove_all(dir);
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 8;
  t.tm_hour = 15;
  EXPECT_EQ(ReplayFileName(t, 3, 120), "2026-12-08_15-00-00_stage3_120pts");
  for (int i = 0; i < 4; ++i) KeepReplay(dir.string(), "2026-12-08_15-00-0" + std::to_string(i), "x", 3);
  const std::string twin = KeepReplay(dir.string(), "2026-12-08_15-00-03", "y", 3);
  EXPECT_EQ(fs::path(twin).filename(), "2026-12-08_15-00-03-2.script");
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"2026-12-08_15-00-02.script", "2026-12-08_15-00-03-2.script",
                                             "2026-12-08_15-00-03.script"}));
  fs::remove_all(dir);

  EXPECT_EQ(
      GamePoints({{"HighScores.0", "1,0,1,70"}, {"HighScores.1", "1,0,1,70"}},
                 {{"HighScores.0", "2,0,1,90"}, {"HighScores.1", "1,0,1,70"}, {"HighScores.2", "1,0,1,70"}}),
      90);
  EXPECT_EQ(ReplayDirectory([](const char* n) { return std::string(n) == "HOME" ? "/h" : "rel"; }),
            "/h/.local/state/wispen/replays");
}

}  // namespace
}  // namespace wispen
