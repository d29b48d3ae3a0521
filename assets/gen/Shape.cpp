#include "Shape.h"

#include <limits>

namespace wispen::art {

namespace {

// Distance from p to the segment ab, and where along it (0..1) the nearest point lies.
float SegmentDistance(Vec2 p, Vec2 a, Vec2 b, float* along) {
  const Vec2 ab = b - a;
  const float len2 = Dot(ab, ab);
  const float t = len2 > 0 ? Clamp01(Dot(p - a, ab) / len2) : 0.0f;
  *along = t;
  return Length(p - (a + ab * t));
}

}  // namespace

Sdf Circle(Vec2 centre, float radius) {
  return [=](Vec2 p) { return Length(p - centre) - radius; };
}

Sdf Ellipse(Vec2 centre, float rx, float ry) {
  return [=](Vec2 p) {
    const Vec2 q{(p.x - centre.x) / rx, (p.y - centre.y) / ry};
    const float k = Length(q);
    if (k == 0) return -std::min(rx, ry);
    // Scale the normalised distance by the local radius: exact on the axes, close enough between them.
    const float localRadius = Length(Vec2{q.x * rx, q.y * ry}) / k;
    return (k - 1) * localRadius;
  };
}

Sdf Box(Vec2 topLeft, Vec2 bottomRight, float cornerRadius) {
  const Vec2 centre = (topLeft + bottomRight) * 0.5f;
  const Vec2 half = (bottomRight - topLeft) * 0.5f;
  return [=](Vec2 p) {
    const float qx = std::fabs(p.x - centre.x) - half.x + cornerRadius;
    const float qy = std::fabs(p.y - centre.y) - half.y + cornerRadius;
    const float outside = Length(Vec2{std::max(qx, 0.0f), std::max(qy, 0.0f)});
    return outside + std::min(std::max(qx, qy), 0.0f) - cornerRadius;
  };
}

Sdf Stroke(std::vector<Vec2> points, float r0, float r1) {
  // Radius at each point, proportional to the length travelled.
  std::vector<float> radii(points.size(), r0);
  float total = 0;
  for (size_t i = 1; i < points.size(); ++i) total += Length(points[i] - points[i - 1]);
  float run = 0;
  for (size_t i = 1; i < points.size(); ++i) {
    run += Length(points[i] - points[i - 1]);
    radii[i] = total > 0 ? Mix(r0, r1, run / total) : r0;
  }
  return [points = std::move(points), radii = std::move(radii)](Vec2 p) {
    float best = std::numeric_limits<float>::max();
    if (points.size() == 1) return Length(p - points[0]) - radii[0];
    for (size_t i = 1; i < points.size(); ++i) {
      float t = 0;
      const float d = SegmentDistance(p, points[i - 1], points[i], &t);
      best = std::min(best, d - Mix(radii[i - 1], radii[i], t));
    }
    return best;
  };
}

Sdf Polygon(std::vector<std::vector<Vec2>> contours) {
  return [contours = std::move(contours)](Vec2 p) {
    float best = std::numeric_limits<float>::max();
    bool inside = false;
    for (const auto& c : contours) {
      const size_t n = c.size();
      for (size_t i = 0, j = n - 1; i < n; j = i++) {
        float t = 0;
        best = std::min(best, SegmentDistance(p, c[j], c[i], &t));
        if ((c[i].y > p.y) != (c[j].y > p.y) &&
            p.x < (c[j].x - c[i].x) * (p.y - c[i].y) / (c[j].y - c[i].y) + c[i].x) {
          inside = !inside;
        }
      }
    }
    return inside ? -best : best;
  };
}

Sdf Union(Sdf a, Sdf b) {
  return [=](Vec2 p) { return std::min(a(p), b(p)); };
}
Sdf Intersect(Sdf a, Sdf b) {
  return [=](Vec2 p) { return std::max(a(p), b(p)); };
}
Sdf Subtract(Sdf a, Sdf b) {
  return [=](Vec2 p) { return std::max(a(p), -b(p)); };
}
Sdf Grow(Sdf a, float amount) {
  return [=](Vec2 p) { return a(p) - amount; };
}
Sdf Moved(Sdf a, Vec2 centre, float radians, Vec2 offset) {
  return [=](Vec2 p) { return a(RotateAbout(p - offset, centre, -radians)); };
}

std::vector<Vec2> Arc(Vec2 centre, float rx, float ry, float fromRadians, float toRadians, int steps) {
  std::vector<Vec2> out;
  for (int i = 0; i <= steps; ++i) {
    const float a = Mix(fromRadians, toRadians, static_cast<float>(i) / steps);
    out.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
  }
  return out;
}

std::vector<Vec2> Bezier(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, int steps) {
  std::vector<Vec2> out;
  for (int i = 0; i <= steps; ++i) {
    const float t = static_cast<float>(i) / steps, u = 1 - t;
    out.push_back(p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t));
  }
  return out;
}

std::vector<Vec2> Join(std::initializer_list<std::vector<Vec2>> runs) {
  std::vector<Vec2> out;
  for (const auto& run : runs) {
    for (const Vec2& p : run) {
      if (!out.empty() && std::fabs(out.back().x - p.x) < 1e-4f && std::fabs(out.back().y - p.y) < 1e-4f)
        continue;
      out.push_back(p);
    }
  }
  return out;
}

std::vector<Vec2> Transformed(const std::vector<Vec2>& points, Vec2 centre, float radians, Vec2 offset) {
  std::vector<Vec2> out;
  out.reserve(points.size());
  for (const Vec2& p : points) out.push_back(RotateAbout(p, centre, radians) + offset);
  return out;
}

}  // namespace wispen::art
