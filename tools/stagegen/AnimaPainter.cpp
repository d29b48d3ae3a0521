#include "AnimaPainter.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "Random.h"
#include "Vec2.h"

namespace wispen::stagegen {

namespace {

constexpr double kPi = 3.141592653589793;

// One painted pixel of an obstacle: a ramp of the strip and a shade on it.
struct Ink {
  std::string Ramp;
  double Shade;
};

// Paints a frame in its own upright coordinates: (u, v) from the frame's top-left, size w x h. Pictures that
// face another way are turned afterwards.
using Shape =
    std::function<std::optional<Ink>(double u, double v, double w, double h, int frame, int frames)>;

// Soft light from the upper left on a ball of radius r: 0 at the far rim, 1 at the highlight.
double BallLight(double dx, double dy, double r) {
  const double z2 = std::max(0.0, 1.0 - (dx * dx + dy * dy) / (r * r));
  const double nz = std::sqrt(z2), nx = dx / r, ny = dy / r;
  return Clamp01(0.25 + 0.75 * (-0.45 * nx - 0.55 * ny + 0.7 * nz));
}

std::optional<Ink> Fireball(double u, double v, double w, double h, int frame, int frames) {
  const double r0 = std::min(w, h) * 0.27;
  const Vec2 c{w / 2, h * 0.62};
  const Vec2 p{u - c.x, v - c.y};
  const double rho = p.Length();
  const double phi = std::atan2(p.x, -p.y);  // 0 straight up
  const double t = kPi * 2 * frame / frames;
  const double tongues = 0.5 + 0.5 * std::sin(phi * 5 + t) * std::cos(phi * 3 - 2 * t);
  const double up = std::pow(0.5 + 0.5 * std::cos(phi), 3);
  const double edge = r0 * (1.0 + 1.5 * up * (0.55 + 0.45 * tongues) + 0.08 * std::sin(phi * 11 + 3 * t));
  if (rho > edge) return std::nullopt;
  const double heat = 1.0 - rho / edge;
  return Ink{"flame", 0.15 + 0.85 * std::pow(heat, 0.7) * (rho < r0 ? 1.0 : 0.8)};
}

std::optional<Ink> Pendulum(double u, double v, double w, double h, int frame, int frames) {
  // As long and wide a swing as the frame allows: at the ends of a wide swing the blade rises clear of the
  // corridor it sweeps.
  const double bladeR = h * 0.2;
  const double length = h - bladeR - 3;
  const double reach = std::asin(std::clamp((w / 2 - bladeR - 2) / length, 0.0, 0.96));
  const double theta = frames > 1 ? reach * (2.0 * frame / (frames - 1) - 1) : 0;
  const Vec2 pivot{w / 2, 3};
  const Vec2 dir{std::sin(theta), std::cos(theta)};
  const Vec2 bob = pivot + dir * length;
  const Vec2 p{u, v};
  // The blade: a crescent whose cutting edge faces away from the pivot.
  const double db = (p - bob).Length();
  const double dcut = (p - (bob - dir * (bladeR * 0.75))).Length();
  if (db < bladeR && dcut > bladeR * 0.9) {
    const double edge = (bladeR - db) / (bladeR * 0.35);
    return Ink{"blade",
               edge < 1 ? 0.95 - 0.2 * edge : 0.55 + 0.25 * BallLight(p.x - bob.x, p.y - bob.y, bladeR)};
  }
  if (db < bladeR * 0.28)
    return Ink{"chain", 0.35 + 0.6 * BallLight(p.x - bob.x, p.y - bob.y, bladeR * 0.28)};
  // The chain: links along the arm, alternately lit.
  const Vec2 rel = p - pivot;
  const double along = rel.x * dir.x + rel.y * dir.y;
  const double across = std::fabs(rel.x * dir.y - rel.y * dir.x);
  if (along > -3 && along < length - bladeR * 0.2 && across < 2.6) {
    const int link = static_cast<int>(std::floor(along / 7));
    return Ink{"chain", (link % 2 ? 0.45 : 0.8) - 0.15 * across / 2.6};
  }
  if ((p - pivot).Length() < 4) return Ink{"chain", 0.9};
  return std::nullopt;
}

std::optional<Ink> Jaws(double u, double v, double /*w*/, double h, int frame, int frames) {
  const double openness = frames > 1 ? 1.0 - static_cast<double>(frame) / (frames - 1) : 1.0;
  const double body = h * 0.13, tooth = h * 0.16, spacing = tooth * 0.9;
  // Gum line of the upper jaw; the lower jaw mirrors it, its teeth half a tooth along so that they interlock.
  const double gum = body + (h / 2 - body - tooth * 0.5) * (1.0 - openness);
  const bool lower = v > h / 2;
  const double y = lower ? h - v : v;
  const double x = lower ? u + spacing / 2 : u;
  if (y < gum) {
    const double wobble = 0.08 * std::sin(u * 0.4 + (lower ? 2 : 0));
    return Ink{"gum", 0.25 + 0.55 * (y / gum) + wobble};
  }
  const double phase = std::fmod(x, spacing) / spacing;  // 0..1 across one tooth
  const double half = 0.5 - std::fabs(phase - 0.5);      // 0 at the gaps, 0.5 at the tooth's middle
  const double depth = (y - gum) / tooth;                // 0 at the gum, 1 at the tip
  if (depth < 1 && half > depth * 0.5)
    return Ink{"tooth", 0.55 + 0.4 * (1 - depth) * (phase < 0.5 ? 1 : 0.7)};
  return std::nullopt;
}

std::optional<Ink> Eye(double u, double v, double w, double h, int frame, int frames) {
  const double r = std::min(w, h) * 0.42;
  const Vec2 c{w / 2, h / 2};
  const Vec2 p{u - c.x, v - c.y};
  const double rho = p.Length();
  const double t = kPi * 2 * frame / frames;
  // Ragged tendrils of flesh around the ball.
  const double tendril = r * (1.12 + 0.14 * std::sin(std::atan2(p.y, p.x) * 7 + t));
  if (rho > r && rho < tendril) return Ink{"flesh", 0.3 + 0.4 * (tendril - rho) / (tendril - r)};
  if (rho > r) return std::nullopt;
  // A blink on the last frame: lids closed over the ball.
  if (frame == frames - 1 && frames > 3) return Ink{"flesh", 0.3 + 0.5 * BallLight(p.x, p.y, r)};
  const Vec2 gaze = Vec2{std::cos(t), std::sin(t)} * (r * 0.35);
  const double ri = (p - gaze).Length() / (r * 0.45);
  if (ri < 1) {
    const double slit = std::fabs((p - gaze).x) / (r * 0.45);
    if (slit < 0.18 * std::sqrt(1 - ri * ri)) return Ink{"eye", 0.04};
    if ((p - gaze - Vec2{-r * 0.15, -r * 0.15}).Length() < r * 0.09) return Ink{"eye", 1.0};
    return Ink{"eye", 0.35 + 0.3 * (1 - ri)};
  }
  const double vein = std::fabs(std::sin(std::atan2(p.y, p.x) * 9 + rho * 0.25));
  const double light = BallLight(p.x, p.y, r);
  return Ink{"eye", (vein < 0.08 && rho > r * 0.6) ? 0.45 : 0.7 + 0.3 * light};
}

// A point of a wheel with `teeth` teeth in polar coordinates about the frame's centre, its angle turned back
// by the frame's share of one tooth: over the strip's frames the wheel seems to turn smoothly, and the last
// frame leads back into the first.
struct WheelPoint {
  Vec2 P;
  double Radius;
  double Angle;
};

WheelPoint OnWheel(double u, double v, double w, double h, int teeth, int frame, int frames) {
  const Vec2 p{u - w / 2, v - h / 2};
  return {p, p.Length(), std::atan2(p.y, p.x) - 2 * kPi / teeth * frame / frames};
}

std::optional<Ink> Thornball(double u, double v, double w, double h, int frame, int frames) {
  constexpr int kSpikes = 9;
  const double outer = std::min(w, h) * 0.48, core = outer * 0.48;
  const WheelPoint q = OnWheel(u, v, w, h, kSpikes, frame, frames);
  const double sector =
      std::fabs(std::remainder(q.Angle, 2 * kPi / kSpikes)) / (kPi / kSpikes);  // 0 on a spike
  const double spikeReach = core + (outer - core) * std::max(0.0, 1.0 - sector * 2.2);
  if (q.Radius < core) return Ink{"thorn", 0.2 + 0.6 * BallLight(q.P.x, q.P.y, core)};
  if (q.Radius < spikeReach) return Ink{"thorn", 0.45 + 0.5 * (q.Radius - core) / (outer - core)};
  return std::nullopt;
}

std::optional<Ink> Shard(double u, double v, double w, double h, int frame, int frames) {
  const double phi = kPi * frame / frames;
  const double halfH = h * 0.47, widest = w * 0.44;
  const double y = v - h / 2, x = u - w / 2;
  const double halfW = widest * (1.0 - std::fabs(y) / halfH);
  const double front = std::fabs(std::cos(phi)), side = std::fabs(std::sin(phi));
  const double span = halfW * (0.25 + 0.75 * std::max(front, side));
  if (std::fabs(y) > halfH || std::fabs(x) > span) return std::nullopt;
  // Two faces meet at a ridge that turns with the shard.
  const double ridge = span * std::cos(phi * 2) * 0.6;
  const bool left = x < ridge;
  const double lit = left ? 0.45 + 0.45 * front : 0.3 + 0.6 * side;
  const double edgeGlow = std::fabs(std::fabs(x) - span) < 1.2 || std::fabs(x - ridge) < 0.8 ? 0.3 : 0.0;
  return Ink{"crystal", std::min(1.0, lit + edgeGlow - 0.15 * y / halfH)};
}

std::optional<Ink> Saw(double u, double v, double w, double h, int frame, int frames) {
  constexpr int kTeeth = 14;
  const double outer = std::min(w, h) * 0.49, inner = outer * 0.8;
  const WheelPoint q = OnWheel(u, v, w, h, kTeeth, frame, frames);
  const double rise = std::fmod(q.Angle / (2 * kPi) * kTeeth + 100.0, 1.0);  // along each tooth's slope
  if (q.Radius > inner + (outer - inner) * rise) return std::nullopt;
  if (q.Radius > inner) return Ink{"metal", 0.6 + 0.4 * rise};
  if (q.Radius < inner * 0.22) return Ink{"metal", 0.85};
  // Holes between the spokes show the map behind.
  const double spoke = std::fabs(std::remainder(q.Angle, 2 * kPi / 5)) / (kPi / 5);
  if (q.Radius > inner * 0.35 && q.Radius < inner * 0.75 && spoke > 0.45) return std::nullopt;
  return Ink{"metal", 0.2 + 0.55 * BallLight(q.P.x, q.P.y, inner) + 0.1 * std::sin(q.Radius * 0.8)};
}

const std::map<std::string, Shape>& Kinds() {
  static const std::map<std::string, Shape> kinds = {
      {"fireball", Fireball},   {"pendulum", Pendulum}, {"jaws", Jaws}, {"eye", Eye},
      {"thornball", Thornball}, {"shard", Shard},       {"saw", Saw},
  };
  return kinds;
}

}  // namespace

bool IsAnimaKind(const std::string& kind) {
  return Kinds().count(kind) != 0;
}

formats::IndexedImage PaintAnimaStrip(const AnimaDesc& a) {
  auto kind = Kinds().find(a.Kind);
  if (kind == Kinds().end()) {
    throw formats::SourceError("line " + std::to_string(a.Line) + ": unknown anima kind '" + a.Kind + "'");
  }
  if (a.Ramps.empty())
    throw formats::SourceError("line " + std::to_string(a.Line) + ": an anima needs ramps");
  const Palette palette({clWhite}, a.Ramps);
  const bool sideways = a.Facing == Facing::Left || a.Facing == Facing::Right;
  const double w = sideways ? a.FrameHeight : a.FrameWidth, h = sideways ? a.FrameWidth : a.FrameHeight;
  formats::IndexedImage strip(a.FrameWidth * a.Frames, a.FrameHeight * 2, 0);
  strip.Palette = palette.Colours();
  const uint8_t white = palette.Reserved(0);
  for (int f = 0; f < a.Frames; ++f) {
    for (int y = 0; y < a.FrameHeight; ++y) {
      for (int x = 0; x < a.FrameWidth; ++x) {
        // The frame's pixel in the picture's own upright coordinates.
        double u = x + 0.5, v = y + 0.5;
        switch (a.Facing) {
          case Facing::Down:
            break;
          case Facing::Up:
            v = a.FrameHeight - v;
            break;
          case Facing::Right:
            u = y + 0.5, v = x + 0.5;
            break;
          case Facing::Left:
            u = y + 0.5, v = a.FrameWidth - (x + 0.5);
            break;
        }
        const std::optional<Ink> ink = kind->second(u, v, w, h, f, a.Frames);
        const int sx = f * a.FrameWidth + x;
        if (!ink) {
          strip.At(sx, y) = white;
          continue;
        }
        int ramp = 0;
        try {
          ramp = palette.RampId(ink->Ramp);
        } catch (const std::invalid_argument&) {
          throw formats::SourceError("line " + std::to_string(a.Line) + ": a " + a.Kind +
                                     " needs a ramp named '" + ink->Ramp + "'");
        }
        strip.At(sx, y) = 0;
        strip.At(sx, a.FrameHeight + y) = palette.Index(ramp, Clamp01(ink->Shade), sx, y);
      }
    }
  }
  return strip;
}

}  // namespace wispen::stagegen
