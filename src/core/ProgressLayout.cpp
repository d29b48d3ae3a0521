#include "core/ProgressLayout.h"

#include <algorithm>

#include "core/Bytes.h"

namespace wispen {

ProgressBytes EncodeProgress(const GameState& s) {
  ByteWriter out;
  out.U16(s.Reserved);
  out.I32(s.StagesOpen);
  out.I32(s.SoulsUsed);
  for (const ScoreEntry& entry : s.HighScores) {
    out.I32(entry.Stage);
    out.I32(entry.Conquest);
    out.I32(entry.Use);
    out.I32(entry.Point);
  }
  out.I32(s.SpeedFactor);
  const Bytes written = out.Take();
  ProgressBytes bytes{};
  std::copy(written.begin(), written.end(), bytes.begin());
  return bytes;
}

void DecodeProgress(const ProgressBytes& bytes, GameState& s) {
  ByteReader in(bytes, "progress file");
  s.Reserved = in.U16();
  s.StagesOpen = in.I32();
  s.SoulsUsed = in.I32();
  for (ScoreEntry& entry : s.HighScores) {
    entry.Stage = in.I32();
    entry.Conquest = in.I32();
    entry.Use = in.I32();
    entry.Point = in.I32();
  }
  s.SpeedFactor = in.I32();
}

}  // namespace wispen
