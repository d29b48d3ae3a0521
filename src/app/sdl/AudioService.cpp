#include "AudioService.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <iostream>

#include "SoundFont.h"

namespace wispen {

namespace {

// About a 23 ms period: short enough that a stopped piece falls silent at once, long enough not to stutter.
constexpr int kDeviceFrames = 1024;

void SDLCALL FeedMusic(void* synth, Uint8* stream, int bytes) {
  static_cast<MusicSynth*>(synth)->Render(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

AudioOptions DefaultOptions() {
  AudioOptions options;
  options.soundFonts = SoundFontCandidates(std::getenv("SDL_SOUNDFONTS"));
  options.trouble = &std::cerr;
  return options;
}

}  // namespace

AudioService::AudioService() : AudioService(DefaultOptions()) {}

AudioService::AudioService(AudioOptions options)
    : trouble_(options.trouble != nullptr ? *options.trouble : std::cerr),
      music_(std::move(options.soundFonts), kSampleRate,
             [this](const std::string& reason) { ReportOnce(Trouble::Music, reason); }) {}

AudioService::~AudioService() {
  if (device_ != Device::Open) return;
  Mix_HookMusic(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioService::DeviceReady() {
  if (device_ != Device::Untried) return device_ == Device::Open;
  device_ = Device::Missing;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    ReportOnce(Trouble::Device, SDL_GetError());
    return false;
  }
  // The synthesiser renders at this rate and layout, so the device must not change them; SDL converts.
  if (Mix_OpenAudioDevice(kSampleRate, AUDIO_S16SYS, 2, kDeviceFrames, nullptr, 0) != 0) {
    ReportOnce(Trouble::Device, Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  device_ = Device::Open;
  Mix_HookMusic(FeedMusic, &music_);
  return true;
}

int AudioService::NewEffectChannel() {
  const int channel = channels_++;
  if (channels_ > Mix_AllocateChannels(-1)) Mix_AllocateChannels(channels_);
  return channel;
}

void AudioService::ReportOnce(Trouble trouble, const std::string& reason) {
  std::lock_guard lock(troubleMutex_);
  if (!reported_.insert(trouble).second) return;
  const char* what = trouble == Trouble::Device ? "no sound" : "no music";
  trouble_ << "wispen: " << what << ": " << reason << std::endl;
}

}  // namespace wispen
