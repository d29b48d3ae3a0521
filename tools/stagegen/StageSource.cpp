#include "StageSource.h"

namespace wispen::stagegen {

using formats::SourceLine;

Ramp ParseRamp(const SourceLine& line) {
  if (line.Size() < 2 + 6 || (line.Size() - 2) % 3 != 0) line.Fail("a ramp needs two or more r g b colours");
  Ramp ramp;
  for (size_t i = 2; i < line.Size(); i += 3) {
    int c[3];
    for (int k = 0; k < 3; ++k) {
      c[k] = line.Int(i + k);
      if (c[k] < 0 || c[k] > 255) line.Fail("colour values lie in 0..255");
    }
    ramp.Stops.push_back(
        RGB(static_cast<uint8_t>(c[0]), static_cast<uint8_t>(c[1]), static_cast<uint8_t>(c[2])));
  }
  return ramp;
}

namespace {

SegmentDesc ParseSegment(const SourceLine& line, bool hold) {
  SegmentDesc s;
  s.Line = line.Number();
  const auto named = line.Parse(hold ? 1 : 3, {{"at", 2}, {"width", 1}, {"ease", 1}});
  s.Steps = line.Int(1);
  if (s.Steps < 1) line.Fail("a stretch lasts at least one step");
  if (!hold) s.Velocity = {line.Real(2), line.Real(3)};
  if (named.Has("at")) s.At = Vec2{named.At("at", 0), named.At("at", 1)};
  if (named.Has("width")) {
    s.Width = named.At("width", 0);
    if (*s.Width < 40) line.Fail("a corridor narrower than 40 pixels cannot hold the soul");
  }
  s.Eased = named.Real("ease", 1) != 0;
  return s;
}

ObstacleDesc ParseObstacle(const SourceLine& line) {
  static const std::map<std::string, size_t> keys = {
      {"at", 1},     {"span", 1},  {"radius", 1},  {"period", 1}, {"count", 1}, {"phase", 1},
      {"offset", 1}, {"ahead", 1}, {"travel", 1},  {"open", 1},   {"shut", 1},  {"angle", 1},
      {"turns", 1},  {"rate", 1},  {"reverse", 1}, {"height", 1}, {"tilt", 1},
  };
  const auto named = line.Parse(2, keys);
  ObstacleDesc o;
  o.Line = line.Number();
  o.AnimaId = line.Int(1);
  o.Motion = line.Word(2);
  if (!named.Has("at")) line.Fail("an obstacle needs 'at' (the path index it guards)");
  for (const auto& [key, values] : named.Values) o.Values[key] = values.front();
  o.At = static_cast<int>(o.Value("at", 0));
  return o;
}

}  // namespace

StageDesc ParseStageDesc(const std::vector<SourceLine>& lines) {
  StageDesc d;
  bool afterGoal = false, haveGate = false;
  for (const SourceLine& line : lines) {
    const std::string& k = line.Keyword();
    if (k == "stage") {
      d.Stage = line.Int(1);
      if (d.Stage < 1 || d.Stage > 10) line.Fail("stages are numbered 1 to 10");
    } else if (k == "name") {
      d.Name.clear();
      for (size_t i = 1; i < line.Size(); ++i) d.Name += (i > 1 ? " " : "") + line.Word(i);
    } else if (k == "seed") {
      d.Seed = static_cast<uint64_t>(line.Int(1));
    } else if (k == "ramp") {
      d.Ramps[line.Word(1)] = ParseRamp(line);
    } else if (k == "layer") {
      const auto named = line.Parse(2, {{"scale", 1}, {"cover", 1}});
      d.Layers.push_back(
          {line.Word(1), line.Word(2), named.Real("scale", 1), named.Real("cover", 1), line.Number()});
    } else if (k == "decor") {
      const auto named = line.Parse(2, {{"count", 1}, {"size", 1}});
      d.Decorations.push_back({line.Word(1), line.Word(2), static_cast<int>(named.Real("count", 20)),
                               named.Real("size", 10), line.Number()});
    } else if (k == "rim") {
      d.RimLight = line.Real(1);
    } else if (k == "edge") {
      d.EdgeInward = line.Real(1);
      d.EdgeOutward = line.Real(2);
    } else if (k == "start") {
      const auto named = line.Parse(2, {{"width", 1}});
      d.StartAt = {line.Real(1), line.Real(2)};
      d.StartWidth = named.Real("width", d.StartWidth);
    } else if (k == "go" || k == "hold") {
      (afterGoal ? d.Tail : d.Flight).push_back(ParseSegment(line, k == "hold"));
    } else if (k == "goal") {
      if (afterGoal) line.Fail("a stage has one goal");
      const auto named = line.Parse(1, {{"radius", 1}});
      d.GateRamp = line.Word(1);
      d.GateRadius = named.Real("radius", d.GateRadius);
      afterGoal = haveGate = true;
    } else if (k == "drift") {
      d.DriftRoom = line.Int(1);
    } else if (k == "obstacle") {
      d.Obstacles.push_back(ParseObstacle(line));
    } else if (k == "pillar") {
      const auto named = line.Parse(0, {{"at", 1}, {"offset", 1}, {"ahead", 1}, {"radius", 1}});
      if (!named.Has("at")) line.Fail("a pillar needs 'at'");
      d.Pillars.push_back({static_cast<int>(named.Real("at", 0)), named.Real("offset", 0),
                           named.Real("ahead", 0), named.Real("radius", 20), line.Number()});
    } else {
      line.Fail("unknown keyword '" + k + "'");
    }
  }
  const std::string where = lines.empty() ? std::string("stage source") : "stage " + std::to_string(d.Stage);
  if (d.Stage == 0) throw formats::SourceError(where + ": no 'stage' line");
  if (!haveGate) throw formats::SourceError(where + ": no 'goal' line");
  if (d.Flight.empty()) throw formats::SourceError(where + ": no path before the goal");
  if (d.Layers.empty()) throw formats::SourceError(where + ": no texture layers");
  return d;
}

StageDesc LoadStageDesc(const std::string& path) {
  return ParseStageDesc(formats::LoadSource(path));
}

}  // namespace wispen::stagegen
