#include "SdlMediaPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "platform/Errors.h"

namespace wispen {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  if (text.size() < tail.size()) return false;
  return std::equal(
      tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
      });
}

std::vector<uint8_t> ReadWholeFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary | std::ios::ate);
  if (!in) throw MediaError("cannot open " + fileName);
  const std::streamoff size = in.tellg();
  std::vector<uint8_t> bytes(size > 0 ? static_cast<size_t>(size) : 0);
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    throw MediaError("cannot read " + fileName);
  }
  return bytes;
}

bool IsStandardMidi(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= 14 && std::equal(bytes.begin(), bytes.begin() + 4, "MThd");
}

}  // namespace

void SdlMediaPlayer::ChunkFree::operator()(Mix_Chunk* chunk) const {
  Mix_FreeChunk(chunk);
}

SdlMediaPlayer::SdlMediaPlayer(AudioService& audio) : audio_(audio) {}

SdlMediaPlayer::~SdlMediaPlayer() {
  Close();
}

void SdlMediaPlayer::Open(const std::string& fileName) {
  Close();
  const bool midi = EndsWithNoCase(fileName, ".mid");
  if (!midi && !EndsWithNoCase(fileName, ".wav")) throw MediaError("no media device plays " + fileName);
  std::vector<uint8_t> bytes = ReadWholeFile(fileName);
  if (midi) {
    if (!IsStandardMidi(bytes)) throw MediaError(fileName + " is not a Standard MIDI file");
    audio_.DeviceReady();  // the device opens at the first Open of either kind, as a real one would
    piece_ = std::move(bytes);
    device_ = Device::Sequencer;
  } else {
    OpenWave(fileName, bytes);
    device_ = Device::WaveAudio;
  }
}

void SdlMediaPlayer::OpenWave(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  // Without a device the mixer cannot convert the sound; the player stays open and silent.
  if (!audio_.DeviceReady()) return;
  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  chunk_.reset(Mix_LoadWAV_RW(source, 1));
  if (!chunk_) throw MediaError("cannot open " + fileName + ": " + Mix_GetError());
  if (channel_ < 0) channel_ = audio_.NewEffectChannel();
}

void SdlMediaPlayer::Play() {
  switch (device_) {
    case Device::Closed:
      return;
    case Device::Sequencer:
      // A piece that is still playing goes on; one that has ended starts again from its beginning.
      if (audio_.DeviceReady() && !audio_.Music().Sounding(ticket_)) ticket_ = audio_.Music().Start(piece_);
      return;
    case Device::WaveAudio:
      if (!chunk_) return;
      if (Mix_Playing(channel_) != 0 && Mix_GetChunk(channel_) == chunk_.get()) return;
      Mix_PlayChannel(channel_, chunk_.get(), 0);
      return;
  }
}

void SdlMediaPlayer::Close() {
  if (device_ == Device::Sequencer) {
    audio_.Music().Stop(ticket_);
    ticket_ = 0;
    piece_.clear();
  }
  if (chunk_) {
    Mix_HaltChannel(channel_);
    chunk_.reset();
  }
  device_ = Device::Closed;
}

std::unique_ptr<MediaPlayer> CreateSdlMediaPlayer(AudioService& audio) {
  return std::make_unique<SdlMediaPlayer>(audio);
}

}  // namespace wispen
