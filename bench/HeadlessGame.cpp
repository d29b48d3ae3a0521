#include "HeadlessGame.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "headless/HeadlessPlatform.h"
#include "play/Forms.h"
#include "play/MainUnit.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlTextEngine.h"

namespace wispen::bench {

std::string DataDir() {
  return WISPEN_BENCH_DATA_DIR;
}

namespace {

std::string MakeGameDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "wispen_bench_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a game directory");
  std::filesystem::create_directory_symlink(DataDir(), std::filesystem::path(pattern) / "Data");
  return pattern + "/";
}

}  // namespace

HeadlessGame::HeadlessGame()
    : dir_(MakeGameDir()),
      text_(std::make_unique<SdlTextEngine>()),
      codec_(std::make_unique<SdlImageCodec>()) {
  PlatformBase::Settings settings;
  settings.GameDir = dir_;
  platform_ = std::make_unique<HeadlessPlatform>(settings, *text_, *codec_);
  app_ = std::make_unique<Application>(*platform_);
  platform_->Connect(*app_);
  forms_ = std::make_unique<Forms>(*platform_);
  forms_->CreateAll(*app_);
  // A measured speed factor, so that showing the window does not measure one.
  Main().SpeedFactor = 1;
  Main().FormShow();
}

HeadlessGame::~HeadlessGame() {
  forms_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);  // the link goes, not the data it points at
}

TMainForm& HeadlessGame::Main() {
  return *forms_->MainForm;
}

void HeadlessGame::StartStage(int n) {
  Main().CurrentStage = n;
  Main().StartStage(n);
  if (!Main().SoulActive) throw std::runtime_error("stage " + std::to_string(n) + " did not start");
  // The pointer's warp onto the soul's start, as the platform delivers it: the soul stands on its start.
  const TPoint pointer = platform_->CursorPos();
  Main().ScreenImageMouseMove(0, pointer.X, pointer.Y);
}

}  // namespace wispen::bench
