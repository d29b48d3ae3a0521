#pragma once

#include <map>
#include <string>
#include <vector>

#include "Palette.h"
#include "formats/SourceText.h"

namespace wispen::stagegen {

// Which way a strip's picture faces; pendulums hang from their pivot, jaws bite across.
enum class Facing { Down, Up, Left, Right };

// One obstacle picture strip: "anima ID KIND size W H frames F [facing N]" followed by its "ramp" lines.
struct AnimaDesc {
  int Id = 0;
  std::string Kind;
  int FrameWidth = 0;
  int FrameHeight = 0;
  int Frames = 1;
  stagegen::Facing Facing = stagegen::Facing::Down;
  std::map<std::string, Ramp> Ramps;
  int Line = 0;
};

std::vector<AnimaDesc> ParseAnimaList(const std::vector<formats::SourceLine>& lines);
std::vector<AnimaDesc> LoadAnimaList(const std::string& path);

// The strip of an id; throws SourceError naming `line` when there is none.
const AnimaDesc& FindAnima(const std::vector<AnimaDesc>& list, int id, int line);

}  // namespace wispen::stagegen
