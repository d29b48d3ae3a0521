// Listens to a sound of the Data directory the way the game would play it and says how it sounds:
//   wispen_soundcheck Data/Effect11.Dat [out.wav]
// A MIDI piece is rendered through the game's synthesiser (soundfont from SDL_SOUNDFONTS or the Debian
// places); a WAVE effect is read as it is. With out.wav the sound is written there to be heard.

#include <cstdlib>
#include <iomanip>
#include <iostream>

#include "Loudness.h"
#include "MidiRender.h"
#include "WaveFile.h"
#include "core/Bytes.h"
#include "core/DataSignature.h"
#include "sdl/SoundFont.h"

namespace {

using namespace wispen::sound;

constexpr int kRate = 44100;

PcmSound Listen(std::vector<uint8_t> bytes) {
  // The signatures may be overwritten; a MIDI header's length field (6, big-endian) stays.
  const bool midi = bytes.size() >= 18 && bytes[4] == 0 && bytes[5] == 0 && bytes[6] == 0 && bytes[7] == 6;
  if (!midi) {
    wispen::RestoreSignature(bytes, wispen::DataKind::Wave);
    return DecodeWave(bytes);
  }
  wispen::RestoreSignature(bytes, wispen::DataKind::Midi);
  std::string trouble;
  wispen::MusicSynth synth(wispen::SoundFontCandidates(std::getenv("SDL_SOUNDFONTS")), kRate,
                           [&trouble](const std::string& reason) { trouble = reason; });
  if (synth.WaitUntilLoaded() != wispen::MusicSynth::State::Ready) throw std::runtime_error(trouble);
  return RenderMidi(synth, bytes, kRate, 600, 2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: wispen_soundcheck DATAFILE [OUT.wav]\n";
    return 2;
  }
  try {
    const PcmSound sound = Listen(wispen::ReadFileBytes(argv[1]));
    const Loudness l = MeasureLoudness(sound);
    std::cout << std::fixed << std::setprecision(2) << argv[1] << ": " << sound.Seconds()
              << " s rendered, sound from " << l.firstSound << " to " << l.lastSound << " s, level "
              << l.rmsDb << " dBFS, peak " << l.peakDb << " dBFS, longest quiet " << l.longestQuiet
              << " s, clipped " << l.clippedShare * 100 << " %\n";
    if (argc == 3) wispen::WriteFileBytes(argv[2], EncodeWave(sound));
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "wispen_soundcheck: " << e.what() << "\n";
    return 1;
  }
}
