#pragma once

#include <string>

namespace wispen {

// A media player component: closed, or open on exactly one file whose extension chose the device
// (".Mid" the MIDI sequencer, ".Wav" the wave-audio device). Play returns at once; a play request on a
// player whose position is at the end first rewinds; nothing loops. Open throws MediaError on failure.
class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;
  virtual void Open(const std::string& fileName) = 0;
  virtual void Play() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
};

}  // namespace wispen
