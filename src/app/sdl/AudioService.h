#pragma once

#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "AlsaMessages.h"
#include "MusicSynth.h"

namespace wispen {

struct AudioOptions {
  // The soundfonts to try, in order (see SoundFontCandidates).
  std::vector<std::string> soundFonts;
  // Where the one line about sound that cannot start goes.
  std::ostream* trouble = nullptr;
  // The player's volumes, 0 (silent) to 100 (as the sounds are made).
  int musicVolume = 100;
  int effectsVolume = 100;
};

// The soundfonts of SDL_SOUNDFONTS, then `chosen` (the settings file's), then the Debian ones.
std::vector<std::string> SoundFontsWith(const std::optional<std::string>& chosen);

// The machine's sound for the whole run: the SDL2_mixer device, opened at the first use, and the one
// FluidSynth synthesiser, whose soundfont starts loading as the service is made. Music goes through
// SDL2_mixer's music hook; each effect player has a mixer channel of its own, so music and effects sound
// together. When there is no audio device, or the synthesiser cannot start, one line goes to the trouble
// stream and the players carry on silently. Players must be gone before their service.
class AudioService {
 public:
  static constexpr int kSampleRate = 44100;

  // Soundfonts from SDL_SOUNDFONTS and the Debian places; trouble to standard error.
  AudioService();
  explicit AudioService(AudioOptions options);
  ~AudioService();
  AudioService(const AudioService&) = delete;
  AudioService& operator=(const AudioService&) = delete;

  // Opens the audio device at the first call. False when there is none; that has been reported once.
  bool DeviceReady();
  MusicSynth& Music() { return music_; }
  // A mixer channel no other player uses; only once the device is ready.
  int NewEffectChannel();
  // Fills `frames` stereo frames with the music at the player's volume (on the audio thread).
  void RenderMusic(int16_t* stereo, int frames);

 private:
  enum class Trouble { Device, Music };
  // One line for each kind of trouble, however often it recurs; the loading thread reports too.
  void ReportOnce(Trouble trouble, const std::string& reason);

  std::ostream& trouble_;
  AlsaMessagesSilenced alsaMessages_;
  std::mutex troubleMutex_;
  std::set<Trouble> reported_;
  enum class Device { Untried, Open, Missing } device_ = Device::Untried;
  int channels_ = 0;
  int musicVolume_;
  int effectsVolume_;
  MusicSynth music_;
};

}  // namespace wispen
