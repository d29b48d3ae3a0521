#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/Language.h"
#include "story/EndingUnit.h"
#include "story/OpningUnit.h"
#include "support/GameFixture.h"

namespace wispen::testing {
namespace {

class Story : public GameFixture {};

TEST_F(Story, TheEnglishScriptStartsEveryLineAtTheXOfTheLongest) {
  CreateGame(kLangEnglish);
  const OpeningScript& s = forms->OpningForm->Script();
  ASSERT_EQ(s.size(), 176u);
  EXPECT_TRUE(forms->OpningForm->JapaneseScript.empty());
  EXPECT_EQ(s[0].Kind, OpeningStepKind::Start);
  EXPECT_EQ(s[175].Kind, OpeningStepKind::End);
  int lineStarts = 0, x0 = -1;
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i].Kind != OpeningStepKind::Character) continue;
    if (s[i - 1].Kind != OpeningStepKind::Character || s[i - 1].Y != s[i].Y) {
      if (x0 < 0) x0 = s[i].X;
      EXPECT_EQ(s[i].X, x0);
      ++lineStarts;
    }
  }
  EXPECT_EQ(lineStarts, 4);
  // "in the heavens.  It": the second space is a step of its own.
  int spaces = 0;
  for (size_t i = 1; i < s.size(); ++i) spaces += s[i].Y == 200 && s[i].Text == " " && s[i - 1].Text == " ";
  EXPECT_EQ(spaces, 1);
  EXPECT_EQ(s[160].Kind, OpeningStepKind::Devil);
  EXPECT_EQ(s[174].Picture, 7);
}

TEST_F(Story, TheJapaneseScriptHoldsOneCharacterAStep) {
  CreateGame(kLangJapanese);
  const OpeningScript& s = forms->OpningForm->Script();
  ASSERT_EQ(s.size(), 54u);
  EXPECT_EQ(s[1].Text, "\xE9\xAD\x94");  // 魔
  EXPECT_EQ(s[16].X, s[1].X);
  EXPECT_EQ(s[31].X, s[1].X);
  EXPECT_EQ(s[31].Y, 200);
}

TEST_F(Story, TheOpeningEndsInTheTitleMenuOnItsTimeLine) {
  CreateGame(kLangEnglish);
  Main().SpeedFactor = 1;
  app->Show();
  EXPECT_TRUE(forms->OpningForm->OpningTimer.Enabled());
  Wait(149);
  EXPECT_EQ(forms->OpningForm->OpningTimer.Tag, 0);
  Wait(1);
  EXPECT_EQ(forms->OpningForm->OpningTimer.Tag, 1);
  // 1,500 ms to the first letter, 300 ms a letter, 300 ms to the devil, 100 ms a devil step and to the end.
  const int64_t end = 150 + 1500 + 158 * 300 + 300 + 14 * 100 + 100;
  Wait(end - 150 - 1);
  EXPECT_EQ(Main().MenuMode(), 0);
  Wait(1);
  EXPECT_EQ(Main().MenuMode(), 1);
  EXPECT_FALSE(forms->OpningForm->OpningTimer.Enabled());
  const std::string log = EventLog();
  EXPECT_NE(log.find("150 effect load 0"), std::string::npos);
  EXPECT_NE(log.find(std::to_string(end) + " effect play"), std::string::npos) << log;
}

// The state and the picture of a game whose opening ran `ms` of its course and was then cut short (or not).
struct Outcome {
  StateList state;
  std::vector<TColor> picture;
};

class OpeningCut : public GameFixture {
 protected:
  Outcome Run(int64_t ms, const std::function<void()>& cut, int32_t speedFactor = 1) {
    CreateGame(kLangEnglish);
    Main().SpeedFactor = speedFactor;  // as read from the progress file
    app->Show();
    Wait(ms);
    if (cut) cut();
    Outcome o;
    app->AppendState(o.state);
    o.picture = Main().ScreenPicture().Pixels();
    forms.reset();
    app.reset();
    platform.reset();
    return o;
  }
};

TEST_F(OpeningCut, EachKeyAndTheSettingGiveTheTitleMenuAsTheWholeOpeningLeavesIt) {
  const Outcome waited = Run(50850, nullptr);
  ASSERT_NE(std::find(waited.state.begin(), waited.state.end(),
                      std::pair<std::string, std::string>("MenuMode", "1")),
            waited.state.end());
  for (GameKey key : {GameKey::Escape, GameKey::Space, GameKey::Return}) {
    const Outcome cut = Run(1000, [&] { app->KeyDown(key); });
    EXPECT_EQ(cut.state, waited.state) << int(key);
    EXPECT_TRUE(cut.picture == waited.picture) << int(key);
    EXPECT_NE(EventLog().find("1000 effect play"), std::string::npos) << EventLog();
  }
  skipOpening = true;
  const Outcome skipped = Run(0, nullptr);
  EXPECT_EQ(skipped.state, waited.state);
  EXPECT_TRUE(skipped.picture == waited.picture);
  const std::string log = EventLog();
  EXPECT_NE(log.find("0 music play 0"), std::string::npos) << log;
  EXPECT_NE(log.find("0 effect play"), std::string::npos) << log;
}

TEST_F(OpeningCut, TheFirstRunShowsTheWholeOpeningWhateverIsPressed) {
  skipOpening = true;
  Run(
      1000,
      [&] {
        EXPECT_NE(Main().SpeedFactor, 0);  // calibrated: there was none
        app->KeyDown(GameKey::Escape);
        EXPECT_EQ(Main().MenuMode(), 0);
        EXPECT_TRUE(forms->OpningForm->OpningTimer.Enabled());
      },
      0);
}

TEST_F(Story, TheEndingRunsItsPhasesAndEndsInTheGameOverMenu) {
  CreateGame(kLangEnglish);
  ShowWithoutOpening();
  TMainForm& m = Main();
  m.MapImage.Picture = PalettePicture(TBitmap(2000, 600, clBlack));
  m.ViewX = 100;
  m.ViewY = 0;
  m.SoulX = 420;
  m.SoulY = 260;
  TEndingForm& e = *forms->EndingForm;
  e.EndingTimer.Tag = 0;
  e.EndingTimer.SetEnabled(true);
  auto ticksOfPhase = [&](int phase) {
    int n = 0;
    while (e.EndingPhase() == phase && e.EndingTimer.Enabled()) {
      Wait(50);
      ++n;
    }
    return n;
  };
  EXPECT_EQ(ticksOfPhase(0), 1);
  EXPECT_EQ(ticksOfPhase(1), 120);
  EXPECT_EQ(m.SoulY, 300);  // drifted down to 300 a pixel a tick, then held there
  EXPECT_EQ(ticksOfPhase(2), 131);
  EXPECT_EQ(e.BeamX, 338);
  EXPECT_EQ(e.BeamY, 262);
  EXPECT_EQ(ticksOfPhase(3), 41);
  EXPECT_EQ(ticksOfPhase(4), 21);
  EXPECT_EQ(ticksOfPhase(5), 41);
  EXPECT_EQ(ticksOfPhase(6), m.SoulY - 19);
  EXPECT_EQ(ticksOfPhase(7), 33);
  EXPECT_EQ(ticksOfPhase(8), 1);
  EXPECT_EQ(m.MenuMode(), 3);
  EXPECT_FALSE(e.EndingTimer.Enabled());
}

}  // namespace
}  // namespace wispen::testing
