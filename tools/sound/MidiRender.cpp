#include "MidiRender.h"

namespace wispen::sound {

namespace {

constexpr int kBlockFrames = 4096;

void RenderBlock(MusicSynth& synth, PcmSound& out) {
  const size_t at = out.samples.size();
  out.samples.resize(at + 2 * kBlockFrames);
  synth.Render(out.samples.data() + at, kBlockFrames);
}

}  // namespace

PcmSound RenderMidi(MusicSynth& synth, const std::vector<uint8_t>& midi, int sampleRate, double maxSeconds,
                    double tailSeconds) {
  PcmSound out;
  out.sampleRate = sampleRate;
  out.channels = 2;
  const MusicSynth::Ticket ticket = synth.Start(midi);
  synth.WaitUntilStarted();  // rendered faster than it plays, it would otherwise begin with silence
  while (synth.Sounding(ticket) && out.Seconds() < maxSeconds) RenderBlock(synth, out);
  const double end = out.Seconds() + tailSeconds;
  while (out.Seconds() < end) RenderBlock(synth, out);
  synth.Stop(ticket);
  return out;
}

}  // namespace wispen::sound
