#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AudioService.h"
#include "platform/MediaPlayer.h"

struct Mix_Chunk;

namespace wispen {

// A media player on the real sound: a ".Mid" file plays on the service's synthesiser, a ".Wav" file on a
// mixer channel of this player's own. Open reads the whole file, so the caller may delete it at once.
class SdlMediaPlayer : public MediaPlayer {
 public:
  explicit SdlMediaPlayer(AudioService& audio);
  ~SdlMediaPlayer() override;
  SdlMediaPlayer(const SdlMediaPlayer&) = delete;
  SdlMediaPlayer& operator=(const SdlMediaPlayer&) = delete;

  void Open(const std::string& fileName) override;
  void Play() override;
  void Close() override;
  bool IsOpen() const override { return device_ != Device::Closed; }

 private:
  enum class Device { Closed, Sequencer, WaveAudio };
  struct ChunkFree {
    void operator()(Mix_Chunk* chunk) const;
  };

  void OpenWave(const std::string& fileName, const std::vector<uint8_t>& bytes);

  AudioService& audio_;
  Device device_ = Device::Closed;
  std::vector<uint8_t> piece_;
  MusicSynth::Ticket ticket_ = 0;
  std::unique_ptr<Mix_Chunk, ChunkFree> chunk_;
  int channel_ = -1;
};

std::unique_ptr<MediaPlayer> CreateSdlMediaPlayer(AudioService& audio);

}  // namespace wispen
