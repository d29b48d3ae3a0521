#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Palette.h"
#include "Vec2.h"
#include "formats/SourceText.h"

namespace wispen::stagegen {

// One stretch of the path: the view moves by Velocity every step for Steps steps, while the soul's place in
// the view glides to At and the corridor's width to Width.
struct SegmentDesc {
  int Steps = 0;
  Vec2 Velocity;
  std::optional<Vec2> At;
  std::optional<double> Width;
  bool Eased = true;
  int Line = 0;
};

// A layer of the demon world's texture: a material painted with a colour ramp over part of the map.
struct LayerDesc {
  std::string Material;
  std::string Ramp;
  double Scale = 1;
  double Cover = 1;  // share of the map it covers
  int Line = 0;
};

// Things drawn into the walls near the corridor: eyes, thorns.
struct DecorDesc {
  std::string Kind;
  std::string Ramp;
  int Count = 0;
  double Size = 10;
  int Line = 0;
};

// An island of demon world inside a wide hall, placed beside the soul's ideal flight at path index At.
struct PillarDesc {
  int At = 0;
  double Offset = 0;  // across the corridor
  double Ahead = 0;   // along it
  double Radius = 20;
  int Line = 0;
};

// An animated obstacle placed by the soul's ideal flight at path index At.
struct ObstacleDesc {
  int AnimaId = 0;
  std::string Motion;
  int At = 0;
  std::map<std::string, double> Values;
  int Line = 0;
  double Value(const std::string& key, double fallback) const {
    auto it = Values.find(key);
    return it == Values.end() ? fallback : it->second;
  }
};

struct StageDesc {
  int Stage = 0;
  std::string Name;
  uint64_t Seed = 1;
  std::map<std::string, Ramp> Ramps;
  std::vector<LayerDesc> Layers;
  std::vector<DecorDesc> Decorations;
  double RimLight = 0.4;            // brightness of the walls' lit edge
  double EdgeInward = 2;            // how far the wall's roughness may reach into the corridor
  double EdgeOutward = 6;           // and out of it
  Vec2 StartAt{60, 130};            // the soul's place in the first view (mouse point)
  double StartWidth = 120;          // corridor width at the start
  std::vector<SegmentDesc> Flight;  // up to the gate
  std::vector<SegmentDesc> Tail;    // after the gate: the view moves on while the soul waits in it
  std::string GateRamp;
  double GateRadius = 46;
  int DriftRoom = 0;  // map beyond the last view on the right, for the ending's drift
  std::vector<ObstacleDesc> Obstacles;
  std::vector<PillarDesc> Pillars;
};

StageDesc ParseStageDesc(const std::vector<formats::SourceLine>& lines);
StageDesc LoadStageDesc(const std::string& path);

// Reads "ramp NAME r g b r g b ..." into a ramp.
Ramp ParseRamp(const formats::SourceLine& line);

}  // namespace wispen::stagegen
