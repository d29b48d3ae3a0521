#pragma once

#include <string>
#include <vector>

#include "core/Geometry.h"

namespace wispen::testing {

// A small stage made inside a test: a black corridor on a coloured map, a straight path to the right, and
// optionally one obstacle. Written in the game's stored form (the bitmap's signature overwritten).
struct TestStage {
  int Number = 1;
  int MapWidth = 900;
  int MapHeight = 400;
  int PathLength = 100;
  int StepX = 1;  // view movement per path step
  TPoint ViewStart{0, 50};
  TPoint SoulStart{200, 180};  // map point of the soul's top-left
  TRect GoalRect{300, 150, 320, 200};
  // Coloured walls: everything outside this map rectangle is the demon world.
  TRect Corridor{1, 100, 899, 300};
  int ObstacleCount = 0;  // each a 20x20 red block, slot 0 from anima 1, crossing the corridor
  int StepPeriod = 1;
  int StepCount = 1;
  // When set, the obstacle strip is a picture of this size in a 64-byte file (see WriteHugeBmp).
  TSize HugeStrip{0, 0};
};

// Writes a stored 8-bit run-length BMP of width x height whose only code ends the picture: 64 bytes that
// decode to a black picture of any size.
void WriteHugeBmp(const std::string& file, int width, int height);

// Writes Data/StageP<n>.Dat, Data/Stage<n>.Dat (and the anima files when obstacles are asked for) under
// gameDir. Returns the files written.
std::vector<std::string> WriteTestStage(const std::string& gameDir, const TestStage& stage);

// Writes the eight sound data files (short WAVE effects, one-note MIDI pieces) in their stored form.
void WriteTestSounds(const std::string& gameDir);

// The stage's map with its check colour at (0, 0), as the game should load it.
std::vector<uint32_t> TestStageMap(const TestStage& stage);

}  // namespace wispen::testing
