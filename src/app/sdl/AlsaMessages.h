#pragma once

namespace wispen {

// While it lives, ALSA's library keeps its messages to itself. SDL tries ALSA when it looks for an audio
// device, and on a machine without one ALSA prints a screenful of its configuration's failures; the game says
// what matters in its own one line. Without ALSA's library this does nothing.
class AlsaMessagesSilenced {
 public:
  AlsaMessagesSilenced();
  ~AlsaMessagesSilenced();
  AlsaMessagesSilenced(const AlsaMessagesSilenced&) = delete;
  AlsaMessagesSilenced& operator=(const AlsaMessagesSilenced&) = delete;

 private:
  void* library_ = nullptr;
};

}  // namespace wispen
