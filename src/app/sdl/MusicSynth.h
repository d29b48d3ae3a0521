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
  // About 93 ms at 44.1 kHz: four of the audio device's periods.
  static constexpr int kFramesAhead = 4096;
  // Names one started piece, so that a player can stop or ask about its own piece and no other.
  using Ticket = uint64_t;

  // Starts loading the first soundfont of the candidates that exists. When no synthesiser comes of it,
  // onFailure is called once, on the loading thread, with a one-line reason; the synthesiser is then silent.
  // framesAhead: how much is rendered at a time (see Render).
  MusicSynth(std::vector<std::string> soundFonts, int sampleRate,
             std::function<void(const std::string&)> onFailure, int framesAhead = kFramesAhead);
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
  // The piece is playing, or waiting for the soundfont. False once its last event has passed and what was
  // rendered before it has been handed out.
  bool Sounding(Ticket ticket) const;

  // Interleaved 16-bit stereo at the sample rate; silence while loading or after a failure. The synthesiser
  // renders framesAhead frames at a time and hands them out over the calls that follow; a piece started or
  // stopped throws away what was rendered ahead, so it is heard at the next call all the same.
  void Render(int16_t* stereo, int frames);

 private:
  void Load(std::vector<std::string> soundFonts, int sampleRate);
  void RenderAheadLocked();
  void DropAheadLocked();
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
  int framesAhead_ = kFramesAhead;
  std::vector<int16_t> ahead_;  // interleaved stereo
  size_t aheadRead_ = 0;        // frames of ahead_ already handed out
  size_t aheadFrames_ = 0;      // frames in ahead_
  size_t pieceUntil_ = 0;       // ahead_'s frames before this one were rendered while the piece played
  std::thread loader_;
};

}  // namespace wispen
