#pragma once

#include <functional>
#include <vector>

#include "Vec.h"

namespace wispen::art {

// A shape as a signed distance: negative inside, positive outside, roughly in pixels. Distances need only be
// exact near the outline, where they set the anti-aliased coverage.
using Sdf = std::function<float(Vec2)>;

Sdf Circle(Vec2 centre, float radius);
Sdf Ellipse(Vec2 centre, float rx, float ry);
Sdf Box(Vec2 topLeft, Vec2 bottomRight, float cornerRadius = 0);
// A thick polyline with round ends; the radius runs from r0 at the first point to r1 at the last.
Sdf Stroke(std::vector<Vec2> points, float r0, float r1);
inline Sdf Stroke(std::vector<Vec2> points, float radius) {
  return Stroke(std::move(points), radius, radius);
}
// A filled polygon of one or more closed contours, even-odd rule.
Sdf Polygon(std::vector<std::vector<Vec2>> contours);
inline Sdf Polygon(std::vector<Vec2> contour) {
  return Polygon(std::vector<std::vector<Vec2>>{std::move(contour)});
}

Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
// Grows the shape by `amount` pixels (shrinks it for a negative amount).
Sdf Grow(Sdf a, float amount);
// The shape turned by `radians` about `centre` and then moved by `offset`.
Sdf Moved(Sdf a, Vec2 centre, float radians, Vec2 offset = {});

// Outline builders.
std::vector<Vec2> Arc(Vec2 centre, float rx, float ry, float fromRadians, float toRadians, int steps);
std::vector<Vec2> Bezier(Vec2 p0, Vec2 p1, Vec2 p2, Vec2 p3, int steps);
// Joins point runs, dropping a point that repeats the last one.
std::vector<Vec2> Join(std::initializer_list<std::vector<Vec2>> runs);
std::vector<Vec2> Transformed(const std::vector<Vec2>& points, Vec2 centre, float radians, Vec2 offset = {});

}  // namespace wispen::art
