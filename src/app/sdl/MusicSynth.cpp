#include "MusicSynth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "SoundFont.h"

namespace wispen {

namespace {

// FluidSynth writes its own complaints to standard error (a missing preset, a bad file, each one a line).
// The game reports a synthesiser that cannot start in one line of its own and stays quiet otherwise.
void SilenceFluidSynthLog() {
  for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) fluid_set_log_function(level, nullptr, nullptr);
}

}  // namespace

MusicSynth::MusicSynth(std::vector<std::string> soundFonts, int sampleRate,
                       std::function<void(const std::string&)> onFailure, int framesAhead)
    : onFailure_(std::move(onFailure)),
      synthesisRate_(std::min(sampleRate, kSynthesisRate)),
      framesAhead_(std::max(framesAhead, 1)) {
  if (!RateConverter::Supports(synthesisRate_, sampleRate)) synthesisRate_ = sampleRate;
  // The audio thread fills these; made room for here, so it does not have to.
  ahead_.reserve(2 * (static_cast<size_t>(framesAhead_) + 2 * kStepFrames));
  step_.reserve(2 * kStepFrames);
  // Made on this thread, the one that brings SDL's audio up, not on the loading thread: making FluidSynth's
  // settings asks SDL for its audio devices once SDL's audio is up, which must not meet its bringing up.
  SilenceFluidSynthLog();
  fluid_settings_t* settings = new_fluid_settings();
  loader_ = std::thread(&MusicSynth::Load, this, settings, std::move(soundFonts), sampleRate);
}

MusicSynth::~MusicSynth() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  work_.notify_all();
  if (loader_.joinable()) loader_.join();
  std::lock_guard lock(mutex_);
  DropPlayerLocked();
  if (synth_ != nullptr) delete_fluid_synth(synth_);
  if (settings_ != nullptr) delete_fluid_settings(settings_);
}

void MusicSynth::Load(_fluid_hashtable_t* settings, std::vector<std::string> soundFonts, int outputRate) {
  std::string failure;
  fluid_synth_t* synth = nullptr;
  const std::optional<std::string> soundFont = FindSoundFont(soundFonts);
  if (settings == nullptr) {
    failure = "cannot set up the FluidSynth synthesiser";
  } else if (!soundFont) {
    failure = "no General MIDI soundfont found (install fluid-soundfont-gm, or name one in SDL_SOUNDFONTS)";
  } else {
    fluid_settings_setnum(settings, "synth.sample-rate", synthesisRate_);
    // The player advances with the samples rendered, so a piece keeps time with the sound, not the clock.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    // The game's pieces sit near -22 dB of full scale with FluidR3 and never clip with the louder TimGM6mb,
    // which leaves room for the effects on top.
    fluid_settings_setnum(settings, "synth.gain", 0.6);
    // A General MIDI soundfont holds far more instruments than the game's pieces play: only the samples of
    // the programs a piece selects are read into memory (the whole of FluidR3 would take some 150 MB).
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    // The pieces play on the first sixteen channels; the others hold the programs of the piece about to
    // start while their samples come in (HoldPrograms).
    fluid_settings_setint(settings, "synth.midi-channels", 2 * PieceChannels::kChannels);
    synth = new_fluid_synth(settings);
    if (synth == nullptr) {
      failure = "cannot start the FluidSynth synthesiser";
    } else if (fluid_is_soundfont(soundFont->c_str()) == 0) {
      // Checked first: handing FluidSynth a file that is no soundfont makes it complain on its own.
      failure = *soundFont + " is not a SoundFont";
      delete_fluid_synth(synth);
      synth = nullptr;
    } else if (fluid_synth_sfload(synth, soundFont->c_str(), 1) == FLUID_FAILED) {
      failure = "cannot load the soundfont " + *soundFont;
      delete_fluid_synth(synth);
      synth = nullptr;
    }
  }
  // Its table takes a few milliseconds to make: here rather than on the thread that starts the game. Until
  // there is a synthesiser, there is only silence, which needs no carrying.
  std::optional<RateConverter> converter;
  if (synth != nullptr && synthesisRate_ != outputRate) converter.emplace(synthesisRate_, outputRate);
  // Said before the state is published, so whoever waits for the load finds the reason already told.
  if (!failure.empty() && onFailure_) onFailure_(failure);
  {
    std::lock_guard lock(mutex_);
    settings_ = settings;
    synth_ = synth;
    converter_ = std::move(converter);
    state_ = synth != nullptr ? State::Ready : State::Failed;
    if (state_ == State::Failed) pending_.clear();
  }
  loaded_.notify_all();
  started_.notify_all();
  if (synth != nullptr) PrepareAndStartPieces();
}

// A piece's first render used to bring in its programs' samples on the audio thread: 15-21 ms of the
// device's 23-ms period. Here they come in first, and the piece starts once they are in; until then the
// audio thread renders silence, without the synthesiser, whose lock the loading holds.
void MusicSynth::PrepareAndStartPieces() {
  std::unique_lock lock(mutex_);
  while (!closing_) {
    if (pending_.empty()) {
      work_.wait(lock);
      continue;
    }
    const Ticket ticket = current_;
    const PieceChannels piece = ReadPieceChannels(pending_);
    preparing_ = true;
    lock.unlock();
    HoldPrograms(piece);
    lock.lock();
    preparing_ = false;
    if (ticket == current_ && !pending_.empty()) {
      StartPendingLocked();
    } else if (pending_.empty()) {
      samplesToLetGo_ = true;  // stopped while its samples came in
    }
    started_.notify_all();
  }
}

// A program's samples come in when a channel selects it and go when no channel holds it any more; a channel
// that selects another program lets its own go first. So the piece's programs are held on the channels past
// its own while its player starts: the player's program changes then find their samples in. Each channel of
// the piece that plays before it names a program gets the one a General MIDI reset would give it (program 0
// of its bank, the standard kit on the drum channel): not the program an earlier piece left there, nor none
// at all once an earlier piece let its programs go. The earlier piece's programs that this one does not play
// go first, here rather than on the audio thread, so that their samples and this piece's are not in memory
// together; the ones it plays too stay held, so a piece started again (a stage's, after each loss) reads
// nothing again: under the sanitisers that was 30-50 ms of a core at every start. A holding channel whose
// program is not known (after a reset) lets whatever it has go.
void MusicSynth::HoldPrograms(const PieceChannels& piece) {
  static_assert(PieceChannels::kChannels + PieceChannels::kMostPrograms <= 2 * PieceChannels::kChannels);
  for (int channel = 0; channel < PieceChannels::kChannels; ++channel)
    fluid_synth_unset_program(synth_, channel);
  const auto plays = [&piece](const PieceChannels::Program& program) {
    return std::find(piece.programs.begin(), piece.programs.end(), program) != piece.programs.end();
  };
  for (size_t i = 0; i < held_.size(); ++i) {
    if (!held_[i] || !plays(*held_[i])) {
      fluid_synth_unset_program(synth_, PieceChannels::kChannels + static_cast<int>(i));
      held_[i].reset();
    }
  }
  for (const PieceChannels::Program& program : piece.programs) {
    if (std::find(held_.begin(), held_.end(), program) != held_.end()) continue;
    const auto free = std::find(held_.begin(), held_.end(), std::nullopt);
    if (free == held_.end()) break;  // more programs than held channels: the rest load as the piece plays
    const int channel = PieceChannels::kChannels + static_cast<int>(free - held_.begin());
    fluid_synth_set_channel_type(synth_, channel, program.drums ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
    fluid_synth_bank_select(synth_, channel, program.bank);
    fluid_synth_program_change(synth_, channel, program.number);
    *free = program;
  }
  for (int channel = 0; channel < PieceChannels::kChannels; ++channel) {
    if (const std::optional<int> bank = piece.defaultProgramBank[static_cast<size_t>(channel)]) {
      fluid_synth_bank_select(synth_, channel, *bank);
      fluid_synth_program_change(synth_, channel, 0);
    }
  }
}

MusicSynth::State MusicSynth::GetState() const {
  std::lock_guard lock(mutex_);
  return state_;
}

MusicSynth::State MusicSynth::WaitUntilLoaded() {
  std::unique_lock lock(mutex_);
  loaded_.wait(lock, [this] { return state_ != State::Loading; });
  return state_;
}

void MusicSynth::WaitUntilStarted() {
  std::unique_lock lock(mutex_);
  started_.wait(lock, [this] { return pending_.empty(); });
}

MusicSynth::Ticket MusicSynth::Start(std::vector<uint8_t> piece) {
  std::lock_guard lock(mutex_);
  DropPlayerLocked();
  current_ = ++lastTicket_;
  if (state_ == State::Failed) return current_;
  pending_ = std::move(piece);
  work_.notify_all();
  return current_;
}

void MusicSynth::Stop(Ticket ticket) {
  std::unique_lock lock(mutex_);
  if (ticket != current_) return;
  DropPlayerLocked();
  pending_.clear();
  current_ = 0;
  lock.unlock();
  started_.notify_all();
}

bool MusicSynth::Sounding(Ticket ticket) const {
  std::lock_guard lock(mutex_);
  if (ticket == 0 || ticket != current_) return false;
  if (!pending_.empty()) return true;
  return player_ != nullptr &&
         (fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING || aheadRead_ < pieceUntil_);
}

void MusicSynth::Render(int16_t* stereo, int frames) {
  std::lock_guard lock(mutex_);
  while (frames > 0) {
    if (aheadRead_ == aheadFrames_) RenderAheadLocked();
    const size_t n = std::min(static_cast<size_t>(frames), aheadFrames_ - aheadRead_);
    std::memcpy(stereo, &ahead_[2 * aheadRead_], sizeof(int16_t) * 2 * n);
    stereo += 2 * n;
    frames -= static_cast<int>(n);
    aheadRead_ += n;
  }
}

// The synthesiser is woken an eighth as often as the audio device: each time it starts cold (its voices, its
// reverb's lines). A stage's piece rendered at the device's pace took 2.0% of a core 1024 frames at a time,
// 1.5% 4096 at a time, 1.1% all at once; in play 8192 at a time took 0.1% less than 4096, and each render
// (2-3 ms here; a piece's samples are in before it starts) ends well within one of the device's 23-ms
// periods.
//
// With no piece playing and no voice left, the synthesiser would only render its reverb's fading tail and
// then silence for as long as the device runs (the title menu after the opening's music): once the tail is
// over, silence is written without it.
void MusicSynth::RenderAheadLocked() {
  constexpr int kTailSeconds = 3;
  const int64_t tail = int64_t{kTailSeconds} * synthesisRate_;
  const size_t wanted = static_cast<size_t>(framesAhead_);
  aheadRead_ = 0;
  pieceUntil_ = 0;
  ahead_.clear();
  while (ahead_.size() < 2 * wanted) {
    const size_t left = wanted - ahead_.size() / 2;
    const size_t n = std::min(kStepFrames, converter_ ? converter_->InputFor(left) : left);
    step_.resize(2 * n);
    int16_t* out = step_.data();
    const bool playing = player_ != nullptr && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
    // While a piece's samples come in, the synthesiser is left to them: it would only wait for its lock.
    const bool synthFree = synth_ != nullptr && !preparing_;
    if (synthFree && samplesToLetGo_ && player_ == nullptr && pending_.empty()) LetSamplesGoLocked();
    if (synthFree && (playing || fluid_synth_get_active_voice_count(synth_) > 0)) quietFrames_ = 0;
    if (!synthFree || quietFrames_ >= tail) {
      std::fill(step_.begin(), step_.end(), int16_t{0});
    } else {
      fluid_synth_write_s16(synth_, static_cast<int>(n), out, 0, 2, out, 1, 2);
      quietFrames_ += static_cast<int64_t>(n);
      if (quietFrames_ >= tail && pending_.empty()) LetSamplesGoLocked();
    }
    if (converter_) {
      converter_->Push(out, n, ahead_);
    } else {
      ahead_.insert(ahead_.end(), step_.begin(), step_.end());
    }
    if (playing) pieceUntil_ = ahead_.size() / 2;
  }
  aheadFrames_ = ahead_.size() / 2;
}

// What was rendered ahead belongs to what sounded before: a piece started or stopped is heard at once.
void MusicSynth::DropAheadLocked() {
  aheadRead_ = aheadFrames_ = pieceUntil_ = 0;
}

void MusicSynth::StartPendingLocked() {
  if (pending_.empty()) return;
  DropAheadLocked();
  samplesToLetGo_ = false;
  player_ = new_fluid_player(synth_);
  if (player_ != nullptr && (fluid_player_add_mem(player_, pending_.data(), pending_.size()) != FLUID_OK ||
                             fluid_player_play(player_) != FLUID_OK)) {
    delete_fluid_player(player_);
    player_ = nullptr;
  }
  pending_.clear();
}

void MusicSynth::DropPlayerLocked() {
  if (player_ == nullptr) return;
  // A piece that ran out had the player reset the synthesiser, which gave every channel its default
  // program, the holding ones too: what they hold is no longer known.
  if (fluid_player_get_status(player_) == FLUID_PLAYER_DONE) held_.fill(std::nullopt);
  DropAheadLocked();
  fluid_player_stop(player_);
  delete_fluid_player(player_);
  player_ = nullptr;
  // A stopped player leaves its notes ringing; the next piece starts on a quiet synthesiser.
  fluid_synth_all_sounds_off(synth_, -1);
  // Freeing the samples takes milliseconds: the audio thread does it, unless a piece starts first, whose
  // preparation lets them go (HoldPrograms).
  samplesToLetGo_ = true;
}

// Samples are loaded as a piece selects the programs that use them and stay while a channel holds one: the
// title's and a stage's pieces together held some 54 MB. A piece that is over lets its programs go, and with
// them their samples; the next piece selects its own.
void MusicSynth::LetSamplesGoLocked() {
  samplesToLetGo_ = false;
  for (int channel = 0; channel < fluid_synth_count_midi_channels(synth_); ++channel)
    fluid_synth_unset_program(synth_, channel);
  held_.fill(std::nullopt);
}

}  // namespace wispen
