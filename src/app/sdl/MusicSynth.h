#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "PieceChannels.h"
#include "RateConverter.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace wispen {

// One FluidSynth synthesiser for the whole run. Loading a General MIDI soundfont takes a few hundred
// milliseconds, so it happens once, on a thread of its own, started with the synthesiser; a piece asked for
// before the soundfont is in starts as soon as it is. That thread then brings in the samples of each piece
// asked for before the piece starts (10-20 ms a piece), so that neither the game thread nor the audio thread
// waits for them. The audio thread pulls the sound through Render; the game thread starts and stops pieces.
// One piece sounds at a time: starting one stops the one before.
class MusicSynth {
 public:
  enum class State { Loading, Ready, Failed };
  // About 186 ms at 44.1 kHz: eight of the audio device's periods.
  static constexpr int kFramesAhead = 8192;
  // The synthesiser runs at this rate, or at the caller's when that is lower, and its sound is carried to
  // the caller's rate. The game's pieces hold next to nothing above 16 kHz (35-53 dB below the rest at
  // 44.1 kHz), and the synthesiser's work grows with its rate: in play the audio thread took 0.3% of a core
  // less at 32 kHz, the carrying to 44.1 kHz included. The effects keep the device's full rate.
  static constexpr int kSynthesisRate = 32000;
  // Names one started piece, so that a player can stop or ask about its own piece and no other.
  using Ticket = uint64_t;

  // Starts loading the first soundfont of the candidates that exists. When no synthesiser comes of it,
  // onFailure is called once, on the loading thread, with a one-line reason; the synthesiser is then silent.
  // sampleRate: the rate Render hands out. framesAhead: how much is rendered at a time (see Render).
  MusicSynth(std::vector<std::string> soundFonts, int sampleRate,
             std::function<void(const std::string&)> onFailure, int framesAhead = kFramesAhead);
  ~MusicSynth();
  MusicSynth(const MusicSynth&) = delete;
  MusicSynth& operator=(const MusicSynth&) = delete;

  State GetState() const;
  // Blocks until the soundfont is loaded or has failed. The game never needs this; tools and tests do.
  State WaitUntilLoaded();
  // Blocks until the piece last started plays (its samples in) or is no longer asked for. The same.
  void WaitUntilStarted();

  // Plays a Standard MIDI file once from its start, stopping whatever sounded. Returns at once; the piece
  // is heard once its samples are in.
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
  // The synthesiser renders this many frames at a time, so that the end of a piece is known to within
  // one step (Sounding).
  static constexpr size_t kStepFrames = 512;

  void Load(_fluid_hashtable_t* settings, std::vector<std::string> soundFonts, int outputRate);
  void PrepareAndStartPieces();
  void HoldPrograms(const PieceChannels& piece);
  void RenderAheadLocked();
  void DropAheadLocked();
  void StartPendingLocked();
  void DropPlayerLocked();
  void LetSamplesGoLocked();

  std::function<void(const std::string&)> onFailure_;
  mutable std::mutex mutex_;
  std::condition_variable loaded_;
  std::condition_variable work_;     // a piece to prepare, or the end
  std::condition_variable started_;  // a piece prepared and started, or dropped
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
  bool preparing_ = false;       // the loading thread is bringing in the pending piece's samples
  bool closing_ = false;
  // The program held on each of the channels past the piece's own (channel 16 + i), if any.
  std::array<std::optional<PieceChannels::Program>, PieceChannels::kMostPrograms> held_;
  int synthesisRate_ = 0;
  // From the synthesiser's rate to the caller's, when they differ; made with the synthesiser.
  std::optional<RateConverter> converter_;
  int framesAhead_ = kFramesAhead;
  std::vector<int16_t> step_;   // one step of the synthesiser's output, interleaved stereo
  std::vector<int16_t> ahead_;  // interleaved stereo at the caller's rate
  size_t aheadRead_ = 0;        // frames of ahead_ already handed out
  size_t aheadFrames_ = 0;      // frames in ahead_
  size_t pieceUntil_ = 0;       // ahead_'s frames before this one were rendered while the piece played
  std::thread loader_;          // loads the soundfont, then prepares each piece
};

}  // namespace wispen
