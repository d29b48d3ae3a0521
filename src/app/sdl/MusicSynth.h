#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace wispen {

// One FluidSynth synthesiser for the whole run. Loading a General MIDI soundfont takes a few hundred
// milliseconds, so it happens once, on a thread of its own, started with the synthesiser; a piece asked for
// before the soundfont is in starts as soon as it is. The audio thread pulls the sound through Render; the
// game thread starts and stops pieces. One piece sounds at a time: starting one stops the one before.
class MusicSynth {
 public:
  enum class State { Loading, Ready, Failed };
  // Names one started piece, so that a player can stop or ask about its own piece and no other.
  using Ticket = uint64_t;

  // Starts loading the first soundfont of the candidates that exists. When no synthesiser comes of it,
  // onFailure is called once, on the loading thread, with a one-line reason; the synthesiser is then silent.
  MusicSynth(std::vector<std::string> soundFonts, int sampleRate,
             std::function<void(const std::string&)> onFailure);
  ~MusicSynth();
  MusicSynth(const MusicSynth&) = delete;
  MusicSynth& operator=(const MusicSynth&) = delete;

  State GetState() const;
  // Blocks until the soundfont is loaded or has failed. The game never needs this; tools and tests do.
  State WaitUntilLoaded();

  // Plays a Standard MIDI file once from its start, stopping whatever sounded. Returns at once.
  Ticket Start(std::vector<uint8_t> piece);
  // Stops the piece at once, if it is still the one sounding.
  void Stop(Ticket ticket);
  // The piece is playing, or waiting for the soundfont. False once its last event has passed.
  bool Sounding(Ticket ticket) const;

  // Interleaved 16-bit stereo at the sample rate; silence while loading or after a failure.
  void Render(int16_t* stereo, int frames);

 private:
  void Load(std::vector<std::string> soundFonts, int sampleRate);
  void StartPendingLocked();
  void DropPlayerLocked();
  void LetSamplesGoLocked();

  std::function<void(const std::string&)> onFailure_;
  mutable std::mutex mutex_;
  std::condition_variable loaded_;
  State state_ = State::Loading;
  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  _fluid_player_t* player_ = nullptr;
  std::vector<uint8_t> pending_;
  Ticket current_ = 0;
  Ticket lastTicket_ = 0;
  // Frames rendered since the last note sounded; past the reverb's tail the synthesiser is left idle.
  int64_t quietFrames_ = 0;
  bool samplesToLetGo_ = false;  // a piece was stopped and no other has started since
  int sampleRate_ = 0;
  std::thread loader_;
};

}  // namespace wispen
