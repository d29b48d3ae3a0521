#include <gtest/gtest.h>

#include <filesystem>

#include "support/GameFixture.h"

namespace wispen::testing {
namespace {

class SoundCalls : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    CreateGame();
  }
};

TEST_F(SoundCalls, ANewPieceReplacesTheOldAndANumberWithoutAFileOnlyStops) {
  Main().PlayMusic(0);
  Main().PlayMusic(1);
  EXPECT_TRUE(Main().MidiPlayer->IsOpen());
  Main().PlayMusic(7);
  EXPECT_FALSE(Main().MidiPlayer->IsOpen());
  EXPECT_EQ(EventLog(), "0 music play 0\n0 music stop\n0 music play 1\n0 music stop\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "$$WISP$$.Mid"));
}

TEST_F(SoundCalls, AnEffectLoadsSilentlyAndPlaysOnlyWhenLoaded) {
  Main().PlayEffect();  // nothing loaded: no sound, no message
  EXPECT_EQ(EventLog(), "");
  Main().LoadEffect(1);
  Main().LoadEffect(2);  // cuts the first off
  Main().PlayEffect();
  Main().CloseEffect();
  Main().PlayEffect();
  EXPECT_EQ(EventLog(), "0 effect load 1\n0 effect close\n0 effect load 2\n0 effect play\n0 effect close\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "$$WISP$$.Wav"));
}

TEST_F(SoundCalls, AMissingEffectIsNamedAndLeavesThePlayerClosed) {
  std::filesystem::remove(dir / "Data" / "Effect03.Dat");
  Main().LoadEffect(3);
  Main().PlayEffect();
  Main().LoadEffect(9);
  const std::string noFile =
      "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x81\x8C\xE3\x81\x82\xE3\x82\x8A"
      "\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93";
  EXPECT_EQ(EventLog(), "0 message Wispen Version 1|" + (dir / "Data" / "Effect03.Dat").string() + noFile +
                            "\n0 message Wispen Version 1|" + noFile + "\n");
  EXPECT_FALSE(Main().WavePlayer->IsOpen());
}

}  // namespace
}  // namespace wispen::testing
