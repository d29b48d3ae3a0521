#include "StageBuilder.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <thread>

#include "Corridor.h"
#include "Decorations.h"
#include "Gate.h"
#include "MapPainter.h"
#include "Obstacles.h"

namespace wispen::stagegen {

namespace {

// How far inside the gate's black disc the goal keeps the ring of probes.
constexpr double kGoalMargin = 2;

struct MapBox {
  int Width;
  int Height;
};

// Moves the track so that every view lies kMapMargin inside the map, and sizes the map to hold them all.
MapBox PlaceOnMap(Track& track, int driftRoom) {
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  for (int i = 0; i <= track.Length; ++i) {
    const TPoint p = track.PathPoint(i);
    minX = std::min(minX, p.X);
    minY = std::min(minY, p.Y);
    maxX = std::max(maxX, p.X);
    maxY = std::max(maxY, p.Y);
  }
  track.Shift({static_cast<double>(kMapMargin - minX), static_cast<double>(kMapMargin - minY)});
  return {maxX - minX + kViewWidth + 2 * kMapMargin + driftRoom, maxY - minY + kViewHeight + 2 * kMapMargin};
}

// Which 16x16 blocks of the map some view shows: the path's views, and for the ending's drift the views that
// follow the last ones to the right.
class SeenBlocks {
 public:
  SeenBlocks(const Track& track, int width, int height, int driftRoom)
      : columns_((width + 15) / 16),
        rows_((height + 15) / 16),
        seen_(static_cast<size_t>(columns_) * rows_, 0) {
    for (int i = 0; i <= track.Length; ++i) {
      const TPoint p = track.PathPoint(i);
      const int right = p.X + kViewWidth + (i + 400 > track.Length ? driftRoom : 0);
      for (int by = std::max(p.Y / 16, 0); by <= std::min((p.Y + kViewHeight) / 16, rows_ - 1); ++by) {
        for (int bx = std::max(p.X / 16, 0); bx <= std::min(right / 16, columns_ - 1); ++bx) {
          seen_[static_cast<size_t>(by) * columns_ + bx] = 1;
        }
      }
    }
  }
  bool Seen(int x, int y) const { return seen_[static_cast<size_t>(y / 16) * columns_ + x / 16] != 0; }

 private:
  int columns_;
  int rows_;
  std::vector<uint8_t> seen_;
};

// Runs `paint(top, bottom)` over bands of rows on a few threads.
void ForEachBand(int rows, const std::function<void(int, int)>& paint) {
  const int threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back(paint, rows * t / threads, rows * (t + 1) / threads);
  }
  for (std::thread& w : workers) w.join();
}

StageFile BuildPathFile(const StageDesc& desc, const std::vector<AnimaDesc>& animas, const Track& track) {
  StageFile file;
  std::vector<int> slots;  // anima id of each slot in use
  if (desc.Obstacles.size() > kObstacleCapacity) {
    throw formats::SourceError("stage " + std::to_string(desc.Stage) + ": more than 30 obstacles");
  }
  for (const ObstacleDesc& o : desc.Obstacles) {
    const AnimaDesc& anima = FindAnima(animas, o.AnimaId, o.Line);
    auto it = std::find(slots.begin(), slots.end(), o.AnimaId);
    if (it == slots.end()) {
      if (slots.size() == kAnimaSlotCount) {
        throw formats::SourceError("line " + std::to_string(o.Line) + ": more than 20 kinds of obstacle");
      }
      slots.push_back(o.AnimaId);
      it = slots.end() - 1;
    }
    const int slot = static_cast<int>(it - slots.begin());
    file.AnimaIds[slot] = anima.Id;
    file.AnimaInfo[slot] = {anima.FrameWidth, anima.FrameHeight, anima.Frames};
    file.Obstacles[file.ObstacleCount++] = BuildObstacle(o, anima, track, slot);
  }
  file.ViewStart = track.PathPoint(0);
  file.SoulStart = {static_cast<int32_t>(std::lround(track.Soul[0].x)),
                    static_cast<int32_t>(std::lround(track.Soul[0].y))};
  file.GoalRect = GoalRectFor(track.GateCentre(), desc.GateRadius, kGoalMargin);
  file.PathLength = track.Length;
  for (int i = 0; i < kMaxPathPoints; ++i) file.PathPoints[i] = track.PathPoint(std::min(i, track.Length));
  return file;
}

}  // namespace

BuiltStage BuildStage(const StageDesc& desc, const std::vector<AnimaDesc>& animas) {
  if (desc.GateRadius < 30)
    throw formats::SourceError("stage " + std::to_string(desc.Stage) +
                               ": the gate is too small for the soul");
  BuiltStage built{formats::IndexedImage(), StageFile(), BuildTrack(desc)};
  Track& track = built.Track;
  const MapBox box = PlaceOnMap(track, desc.DriftRoom);

  std::vector<TColor> reserved;
  const TColor check = kStageCheckColours[desc.Stage - 1];
  if (check != clBlack) reserved.push_back(check);
  std::map<std::string, Ramp> ramps = desc.Ramps;
  if (!ramps.count(desc.GateRamp)) {
    throw formats::SourceError("stage " + std::to_string(desc.Stage) + ": the gate's ramp '" + desc.GateRamp +
                               "' is not defined");
  }
  const Palette palette(reserved, ramps);

  const Corridor corridor = CarveCorridor(track, desc, box.Width, box.Height);
  const MapPainter painter(desc, palette);
  formats::IndexedImage& map = built.Map;
  map = formats::IndexedImage(box.Width, box.Height, 0);
  map.Palette = palette.Colours();
  const SeenBlocks seen(track, box.Width, box.Height, desc.DriftRoom);
  // Every pixel depends only on where it is, so bands of rows can be painted side by side.
  ForEachBand(box.Height, [&](int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < box.Width; ++x) {
        if (corridor.IsBlack(x, y)) continue;
        map.At(x, y) =
            seen.Seen(x, y) ? painter.Paint(x, y, corridor.Distance(x, y)) : painter.PaintUnseen(x, y);
      }
    }
  });
  const Vec2 gate = track.GateCentre();
  DrawDecorations(desc, corridor, palette, gate, desc.GateRadius + kGateRing + kGateGlow + 10, map);
  DrawGate(gate, desc.GateRadius, palette.RampId(desc.GateRamp), corridor, palette, map);
  // The stage check reads the map's top-left pixel; it lies in the margin that no view shows.
  map.At(0, 0) = check == clBlack ? 0 : palette.Reserved(0);

  built.File = BuildPathFile(desc, animas, track);
  return built;
}

}  // namespace wispen::stagegen
