#pragma once

#include <array>

#include "core/Geometry.h"

namespace wispen {

// The soul's ring of probes, relative to the sprite's top-left corner (the mouse point), in the order the hit
// test visits them. Each lies on a transparent pixel right next to the soul's outline; the soul picture is
// drawn to fit this ring, so the two change together.
constexpr std::array<TPoint, 37> ProbeOffsets{{
    {13, 0},  {18, 0},  {24, 0},  {29, 0},  {10, 2},  {32, 2},  {7, 4},   {34, 4},  {35, 7},  {7, 8},
    {36, 10}, {7, 12},  {37, 14}, {8, 15},  {11, 17}, {36, 18}, {12, 21}, {36, 21}, {24, 24}, {35, 24},
    {13, 25}, {21, 25}, {27, 25}, {30, 26}, {33, 26}, {11, 28}, {20, 28}, {8, 29},  {1, 30},  {4, 30},
    {19, 31}, {1, 33},  {17, 34}, {14, 35}, {3, 36},  {10, 36}, {6, 37},
}};

}  // namespace wispen
