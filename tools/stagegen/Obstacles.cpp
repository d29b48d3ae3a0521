#include "Obstacles.h"

#include <algorithm>
#include <cmath>

namespace wispen::stagegen {

namespace {

constexpr double kTau = 6.283185307179586;

[[noreturn]] void Fail(const ObstacleDesc& o, const std::string& message) {
  throw formats::SourceError("line " + std::to_string(o.Line) + ": " + message);
}

int CountOf(const ObstacleDesc& o, int fallback) {
  const double c = o.Value("count", fallback);
  if (c < 1 || c > kObstacleSteps || c != std::floor(c)) Fail(o, "count lies in 1..100");
  return static_cast<int>(c);
}

// Where a strip's pivot lies in its frame: pendulums hang from it.
Vec2 PivotInFrame(const AnimaDesc& a) {
  switch (a.Facing) {
    case Facing::Down:
      return {a.FrameWidth / 2.0, 0};
    case Facing::Up:
      return {a.FrameWidth / 2.0, static_cast<double>(a.FrameHeight)};
    case Facing::Left:
      return {static_cast<double>(a.FrameWidth), a.FrameHeight / 2.0};
    case Facing::Right:
      return {0, a.FrameHeight / 2.0};
  }
  return {};
}

// The way a pendulum hangs from its pivot.
Vec2 HangingDirection(const AnimaDesc& a) {
  switch (a.Facing) {
    case Facing::Down:
      return {0, 1};
    case Facing::Up:
      return {0, -1};
    case Facing::Left:
      return {-1, 0};
    case Facing::Right:
      return {1, 0};
  }
  return {0, 1};
}

// From the pivot to the blade's hub, as the strip painter draws it.
double PendulumLength(const AnimaDesc& a) {
  const bool sideways = a.Facing == Facing::Left || a.Facing == Facing::Right;
  const double h = sideways ? a.FrameWidth : a.FrameHeight;
  return h - 0.2 * h - 3;
}

// 0 -> 1 -> 0 over a cycle.
double Triangle(int k, int count) {
  return 1.0 - std::fabs(2.0 * k / count - 1.0);
}

double Ease(double u) {
  return u * u * (3 - 2 * u);
}

}  // namespace

std::vector<MotionStep> BuildMotion(const ObstacleDesc& o, const AnimaDesc& a, const Track& track) {
  if (o.At < 0 || o.At > track.Length) Fail(o, "'at' lies outside the path");
  const Vec2 d = track.Direction(o.At), n = d.Perpendicular();
  const Vec2 q = track.SoulCentre(o.At) + n * o.Value("offset", 0) + d * o.Value("ahead", 0);
  const Vec2 half{a.FrameWidth / 2.0, a.FrameHeight / 2.0};
  // By default a crossing carries the obstacle clear of the corridor at both ends, and a circle passes
  // through the walls on either side: there is always a moment to get by.
  const double width = track.Width[o.At];
  const double size = std::max(a.FrameWidth, a.FrameHeight);
  const double span = o.Value("span", width + size + 24);
  const double sign = o.Value("reverse", 0) != 0 ? -1.0 : 1.0;
  const double rate = o.Value("rate", 1);
  auto cycleFrame = [&](int k) { return static_cast<int>(std::floor(k * rate)) % a.Frames; };
  std::vector<MotionStep> steps;
  const std::string& m = o.Motion;
  if (m == "cross" || m == "patrol") {
    // Back and forth: across the corridor, or along it.
    const int count = CountOf(o, 40);
    const Vec2 axis = m == "cross" ? n : d;
    for (int k = 0; k < count; ++k) {
      const double u = Ease(Triangle(k, count));
      steps.push_back({q + axis * (sign * span * (u - 0.5)) - half, cycleFrame(k)});
    }
  } else if (m == "sweep") {
    // One way across, then back inside the wall until the next pass.
    const int count = CountOf(o, 40);
    const int travel = static_cast<int>(o.Value("travel", count / 2));
    if (travel < 2 || travel > count) Fail(o, "travel lies in 2..count");
    for (int k = 0; k < count; ++k) {
      const double u = k < travel ? static_cast<double>(k) / (travel - 1) : 0.0;
      steps.push_back({q + n * (sign * span * (u - 0.5)) - half, cycleFrame(k)});
    }
  } else if (m == "orbit" || m == "figure8") {
    const int count = CountOf(o, m == "orbit" ? 60 : 80);
    const double turns = o.Value("turns", 1);
    const double start = o.Value("angle", 0) * kTau / 360.0;
    const double radius = o.Value("radius", m == "orbit" ? (width + size) / 2 + 12 : 60);
    const double height = o.Value("height", (width + size) / 2 + 12);
    for (int k = 0; k < count; ++k) {
      const double t = start + sign * kTau * turns * k / count;
      const Vec2 off = m == "orbit" ? d * (radius * std::cos(t)) + n * (radius * std::sin(t))
                                    : d * (radius * std::sin(t)) + n * (height * std::sin(2 * t));
      steps.push_back({q + off - half, cycleFrame(k)});
    }
  } else if (m == "swing") {
    // A pendulum: it stays on its pivot, hung so that the blade's lowest point is the guarded spot (moved
    // `offset` further along the way it hangs); the frames show it swinging from one side to the other.
    const int count = CountOf(o, 50);
    const Vec2 hang = HangingDirection(a);
    const Vec2 spot = track.SoulCentre(o.At) + hang * o.Value("offset", 0);
    const Vec2 topLeft = spot - hang * PendulumLength(a) - PivotInFrame(a);
    for (int k = 0; k < count; ++k) {
      const double theta = std::sin(kTau * k / count);
      const int frame = static_cast<int>(std::lround((theta + 1) / 2 * (a.Frames - 1)));
      steps.push_back({topLeft, frame});
    }
  } else if (m == "bite") {
    // Jaws: open, snapping shut through the strip's frames, shut, and opening again.
    const int open = static_cast<int>(o.Value("open", 20)), shut = static_cast<int>(o.Value("shut", 6));
    if (open < 1 || shut < 1) Fail(o, "open and shut last at least one step");
    const int count = open + shut + 2 * (a.Frames - 1);
    if (count > kObstacleSteps) Fail(o, "open + shut + twice the strip's frames exceeds 100 steps");
    for (int k = 0; k < open; ++k) steps.push_back({q - half, 0});
    for (int f = 1; f < a.Frames; ++f) steps.push_back({q - half, f});
    for (int k = 0; k < shut; ++k) steps.push_back({q - half, a.Frames - 1});
    for (int f = a.Frames - 2; f >= 0; --f) steps.push_back({q - half, f});
  } else if (m == "thrust") {
    // Out of the wall fast, a moment out, back slowly, a rest inside.
    const int count = CountOf(o, 40);
    for (int k = 0; k < count; ++k) {
      const double u = static_cast<double>(k) / count;
      double ext = 0;
      if (u < 0.2) {
        ext = Ease(u / 0.2);
      } else if (u < 0.45) {
        ext = 1;
      } else if (u < 0.85) {
        ext = 1 - Ease((u - 0.45) / 0.4);
      }
      steps.push_back({q + n * (sign * span * ext) - half, cycleFrame(k)});
    }
  } else if (m == "spin") {
    const int count = CountOf(o, a.Frames);
    for (int k = 0; k < count; ++k) steps.push_back({q - half, cycleFrame(k)});
  } else {
    Fail(o, "unknown motion '" + m + "'");
  }
  return steps;
}

ObstacleRecord BuildObstacle(const ObstacleDesc& o, const AnimaDesc& a, const Track& track, int slot) {
  const std::vector<MotionStep> motion = BuildMotion(o, a, track);
  const int count = static_cast<int>(motion.size());
  const double period = o.Value("period", 1);
  if (period < 1 || period != std::floor(period) || period > 1000)
    Fail(o, "period is a whole number of steps, 1 or more");
  const int phase = static_cast<int>(o.Value("phase", 0));
  ObstacleRecord r;
  r.Slot = slot;
  r.FrameWidth = a.FrameWidth;
  r.FrameHeight = a.FrameHeight;
  r.StepPeriod = static_cast<int32_t>(period);
  r.StepCount = count;
  const int stepAtPass = (o.At / r.StepPeriod) % count;
  for (int s = 0; s < count; ++s) {
    const MotionStep& m = motion[static_cast<size_t>((((phase + s - stepAtPass) % count) + count) % count)];
    r.StepX[s] = static_cast<int32_t>(std::lround(m.TopLeft.x));
    r.StepY[s] = static_cast<int32_t>(std::lround(m.TopLeft.y));
    r.StepFrame[s] = m.Frame;
  }
  return r;
}

}  // namespace wispen::stagegen
