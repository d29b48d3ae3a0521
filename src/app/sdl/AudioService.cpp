#include "AudioService.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "SoundFont.h"

namespace wispen {

namespace {

// About a 23 ms period: short enough that a stopped piece falls silent at once, long enough not to stutter.
constexpr int kDeviceFrames = 1024;

void SDLCALL FeedMusic(void* service, Uint8* stream, int bytes) {
  static_cast<AudioService*>(service)->RenderMusic(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

int MixerVolume(int percent) {
  return std::clamp(percent, 0, 100) * MIX_MAX_VOLUME / 100;
}

AudioOptions DefaultOptions() {
  AudioOptions options;
  options.soundFonts = SoundFontCandidates(std::getenv("SDL_SOUNDFONTS"));
  options.trouble = &std::cerr;
  return options;
}

}  // namespace

std::vector<std::string> SoundFontsWith(const std::optional<std::string>& chosen) {
  std::vector<std::string> fonts = SoundFontCandidates(std::getenv("SDL_SOUNDFONTS"));
  // The Debian places come last, after what the environment names.
  const size_t debian = SoundFontCandidates(nullptr).size();
  if (chosen) fonts.insert(fonts.end() - static_cast<std::ptrdiff_t>(debian), *chosen);
  return fonts;
}

AudioService::AudioService() : AudioService(DefaultOptions()) {}

AudioService::AudioService(AudioOptions options)
    : trouble_(options.trouble != nullptr ? *options.trouble : std::cerr),
      musicVolume_(MixerVolume(options.musicVolume)),
      effectsVolume_(MixerVolume(options.effectsVolume)),
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
  Mix_HookMusic(FeedMusic, this);
  return true;
}

int AudioService::NewEffectChannel() {
  const int channel = channels_++;
  if (channels_ > Mix_AllocateChannels(-1)) Mix_AllocateChannels(channels_);
  Mix_Volume(channel, effectsVolume_);
  return channel;
}

// The music goes past SDL2_mixer's own music player, so its volume is applied here, as that player would.
void AudioService::RenderMusic(int16_t* stereo, int frames) {
  music_.Render(stereo, frames);
  if (musicVolume_ >= MIX_MAX_VOLUME) return;
  for (int i = 0; i < frames * 2; ++i)
    stereo[i] = static_cast<int16_t>(stereo[i] * musicVolume_ / MIX_MAX_VOLUME);
}

void AudioService::ReportOnce(Trouble trouble, const std::string& reason) {
  std::lock_guard lock(troubleMutex_);
  if (!reported_.insert(trouble).second) return;
  const char* what = trouble == Trouble::Device ? "no sound" : "no music";
  trouble_ << "wispen: " << what << ": " << reason << std::endl;
}

}  // namespace wispen
