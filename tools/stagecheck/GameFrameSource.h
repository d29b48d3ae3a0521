#pragma once

#include <memory>
#include <string>

#include "FrameSource.h"

namespace wispen {
class HeadlessPlatform;
class Application;
struct Forms;
class SdlImageCodec;
class SdlTextEngine;
}  // namespace wispen

namespace wispen::stagecheck {

// The stage as the game itself loads and draws it: its forms on the headless backend, the map loaded through
// the data-file extraction, the path file and the obstacle pictures through the stage loading, each frame
// composed by the main window and read back from the screen's play window, exactly where the hit test reads.
class GameFrameSource : public FrameSource {
 public:
  // gameDir holds Data/. The game's temporary files go into a private directory of this source's own, whose
  // Data links to gameDir's, so that checks running side by side never share one.
  GameFrameSource(const std::string& gameDir, int stage);
  ~GameFrameSource() override;

  int PathLength() const override;
  TPoint ViewAt(int pathIndex) const override;
  TPoint SoulStart() const override;
  TPoint ViewStart() const override;
  TRect GoalRect() const override;
  void Compose(int pathIndex, TBitmap& view) override;

 private:
  std::string privateDir_;
  std::unique_ptr<SdlTextEngine> text_;
  std::unique_ptr<SdlImageCodec> codec_;
  std::unique_ptr<HeadlessPlatform> platform_;
  std::unique_ptr<Application> app_;
  std::unique_ptr<Forms> forms_;
};

}  // namespace wispen::stagecheck
