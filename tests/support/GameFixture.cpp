#include "GameFixture.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace wispen::testing {

void GameFixture::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = std::filesystem::path(::testing::TempDir()) / (std::string("wispen_game_") + info->test_suite_name() +
                                                       "_" + info->name() + "_" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "Data");
}

void GameFixture::TearDown() {
  forms.reset();
  app.reset();
  platform.reset();
  if (!HasFailure()) std::filesystem::remove_all(dir);
}

void GameFixture::CreateGame(uint16_t language) {
  if (withSounds) WriteTestSounds(dir.string());
  PlatformBase::Settings settings;
  settings.GameDir = dir.string();
  settings.LanguageId = language;
  settings.SkipOpening = skipOpening;
  platform = std::make_unique<HeadlessPlatform>(settings, text, codec);
  ASSERT_TRUE(platform->Log().Open((dir / "events.log").string()));
  app = std::make_unique<Application>(*platform);
  platform->Connect(*app);
  forms = std::make_unique<Forms>(*platform);
  forms->CreateAll(*app);
  app->SetMainWindow(forms->MainForm.get());
}

void GameFixture::ShowWithoutOpening() {
  app->Show();
  forms->OpningForm->OpningTimer.SetEnabled(false);
}

void GameFixture::StartStage(int n, int souls, bool curtain) {
  Main().CurrentStage = n;
  Main().SoulsLeft = souls;
  Main().StartTimer.Tag = curtain ? 0 : 400;
  Main().StartTimer.SetEnabled(true);
  Wait(curtain ? 510 : 10);
}

void GameFixture::Move(int x, int y) {
  app->MouseMove(0, x, y);
}

std::string GameFixture::EventLog() {
  std::ifstream in(dir / "events.log");
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace wispen::testing
