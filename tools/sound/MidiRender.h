#pragma once

#include <cstdint>
#include <vector>

#include "WaveFile.h"
#include "sdl/MusicSynth.h"

namespace wispen::sound {

// Plays a Standard MIDI file through the game's own synthesiser as fast as it renders, until the piece is
// over (or maxSeconds have passed), then tailSeconds more to let the last notes ring out. Stereo, at
// sampleRate, which must be the rate the synthesiser was made for. The soundfont must have loaded.
PcmSound RenderMidi(MusicSynth& synth, const std::vector<uint8_t>& midi, int sampleRate, double maxSeconds,
                    double tailSeconds);

}  // namespace wispen::sound
