#include "AnimaSource.h"

#include "StageSource.h"

namespace wispen::stagegen {

std::vector<AnimaDesc> ParseAnimaList(const std::vector<formats::SourceLine>& lines) {
  std::vector<AnimaDesc> list;
  for (const formats::SourceLine& line : lines) {
    if (line.Keyword() == "anima") {
      const auto named = line.Parse(2, {{"size", 2}, {"frames", 1}, {"facing", 1}});
      AnimaDesc a;
      a.Id = line.Int(1);
      a.Kind = line.Word(2);
      a.Line = line.Number();
      if (a.Id < 1) line.Fail("anima numbers start at 1");
      for (const AnimaDesc& other : list) {
        if (other.Id == a.Id) line.Fail("anima " + std::to_string(a.Id) + " is listed twice");
      }
      if (!named.Has("size")) line.Fail("an anima needs 'size W H'");
      a.FrameWidth = static_cast<int>(named.At("size", 0));
      a.FrameHeight = static_cast<int>(named.At("size", 1));
      a.Frames = static_cast<int>(named.Real("frames", 1));
      const int facing = static_cast<int>(named.Real("facing", 0));
      if (a.FrameWidth < 4 || a.FrameHeight < 4 || a.FrameWidth > 400 || a.FrameHeight > 400) {
        line.Fail("frame sizes lie in 4..400");
      }
      if (a.Frames < 1 || a.Frames > 64) line.Fail("a strip has 1 to 64 frames");
      if (facing < 0 || facing > 3) line.Fail("facing is 0 (down), 1 (up), 2 (left) or 3 (right)");
      a.Facing = static_cast<Facing>(facing);
      list.push_back(a);
    } else if (line.Keyword() == "ramp") {
      if (list.empty()) line.Fail("a ramp belongs to the anima above it");
      list.back().Ramps[line.Word(1)] = ParseRamp(line);
    } else {
      line.Fail("unknown keyword '" + line.Keyword() + "'");
    }
  }
  return list;
}

std::vector<AnimaDesc> LoadAnimaList(const std::string& path) {
  return ParseAnimaList(formats::LoadSource(path));
}

const AnimaDesc& FindAnima(const std::vector<AnimaDesc>& list, int id, int line) {
  for (const AnimaDesc& a : list) {
    if (a.Id == id) return a;
  }
  throw formats::SourceError("line " + std::to_string(line) + ": no anima " + std::to_string(id) +
                             " is listed");
}

}  // namespace wispen::stagegen
