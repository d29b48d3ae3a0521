#pragma once

#include <string>

#include "MediaPlayer.h"

namespace wispen {

// A player with no audio device: it keeps the open/closed state of a real one and makes no sound.
class NullMediaPlayer : public MediaPlayer {
 public:
  void Open(const std::string& fileName) override {
    fileName_ = fileName;
    open_ = true;
  }
  void Play() override {}
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }

 private:
  std::string fileName_;
  bool open_ = false;
};

}  // namespace wispen
