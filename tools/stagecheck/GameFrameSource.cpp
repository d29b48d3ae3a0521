#include "GameFrameSource.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "data/DataFile.h"
#include "data/FileIo.h"
#include "headless/HeadlessPlatform.h"
#include "play/Forms.h"
#include "play/MainUnit.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlTextEngine.h"
#include "stage/Obstacles.h"

namespace wispen::stagecheck {

namespace {

// Far outside the back buffer, so that composing a frame leaves the soul out of it.
constexpr int32_t kSoulOutOfSight = -100000;

std::string MakePrivateDir(const std::string& gameDir) {
  std::string pattern = (std::filesystem::temp_directory_path() / "wispen_stagecheck_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a directory for the game's files");
  std::filesystem::create_directory_symlink(
      std::filesystem::absolute(std::filesystem::path(gameDir) / "Data"),
      std::filesystem::path(pattern) / "Data");
  return pattern;
}

}  // namespace

GameFrameSource::GameFrameSource(const std::string& gameDir, int stage)
    : privateDir_(MakePrivateDir(gameDir)),
      text_(std::make_unique<SdlTextEngine>()),
      codec_(std::make_unique<SdlImageCodec>()) {
  PlatformBase::Settings settings;
  settings.GameDir = privateDir_;
  platform_ = std::make_unique<HeadlessPlatform>(settings, *text_, *codec_);
  app_ = std::make_unique<Application>(*platform_);
  platform_->Connect(*app_);
  forms_ = std::make_unique<Forms>(*platform_);
  forms_->CreateAll(*app_);

  TMainForm& main = *forms_->MainForm;
  const std::string map = main.GamePath("Data/StageP" + std::to_string(stage) + ".Dat");
  const std::string path = main.GamePath("Data/Stage" + std::to_string(stage) + ".Dat");
  if (!FileExists(map) || !FileExists(path)) throw std::runtime_error("the stage's files are missing");
  LoadDataPicture(*codec_, platform_->TempDir(), map, main.MapImage);
  main.Stage.LoadStagePath(path, main);
  if (main.PathLength < 0 || main.PathLength >= kMaxPathPoints)
    throw std::runtime_error("the path is damaged");
  LoadObstaclePictures(main.Stage, main.AnimaImage, *codec_, platform_->GameDir(), platform_->TempDir());
}

GameFrameSource::~GameFrameSource() {
  forms_.reset();
  std::error_code ec;
  std::filesystem::remove_all(privateDir_, ec);  // the link goes, not the data it points at
}

int GameFrameSource::PathLength() const {
  return forms_->MainForm->PathLength;
}

TPoint GameFrameSource::ViewAt(int pathIndex) const {
  return forms_->MainForm->PathPoints.at(static_cast<size_t>(std::clamp(pathIndex, 0, kMaxPathPoints - 1)));
}

TPoint GameFrameSource::SoulStart() const {
  return forms_->MainForm->SoulStart;
}
TPoint GameFrameSource::ViewStart() const {
  return forms_->MainForm->ViewStart;
}
TRect GameFrameSource::GoalRect() const {
  return forms_->MainForm->GoalRect;
}

void GameFrameSource::Compose(int pathIndex, TBitmap& view) {
  TMainForm& main = *forms_->MainForm;
  const TPoint origin = pathIndex == 0 ? main.ViewStart : ViewAt(pathIndex);
  main.PathIndex = pathIndex;
  main.SoulX = kSoulOutOfSight;
  main.SoulY = kSoulOutOfSight;
  main.ComposeFrame(origin.X, origin.Y);
  if (view.Width() != kViewWidth || view.Height() != kViewHeight) view = TBitmap(kViewWidth, kViewHeight);
  view.Canvas().StretchBlt(Bounds(0, 0, kViewWidth, kViewHeight), main.ScreenImage.Picture,
                           main.PlayWindowRect, SRCCOPY);
}

}  // namespace wispen::stagecheck
