#pragma once

#include <string>
#include <vector>

#include "Shape.h"

namespace wispen::art {

// A small stroke alphabet for the lettering and numerals carved or painted into the pictures. Glyphs are
// drawn in units: capitals and figures stand 10 units high from the top line (y 0) to the baseline (y 10),
// small letters reach up to y 3.5 and the descender of g down to y 12.
struct Glyph {
  float width = 0;
  std::vector<std::vector<Vec2>> strokes;
};

// The glyph for one character; throws std::invalid_argument for one the alphabet lacks.
const Glyph& GlyphFor(char c);

struct TextStyle {
  float scale = 1;       // pixels per unit
  float radius = 1;      // stroke radius in pixels
  float spacing = 1.8f;  // units between one glyph's width and the next glyph
};

// Width of the text in pixels, from the first glyph's left edge to the last one's right edge.
float TextWidth(const std::string& text, const TextStyle& style);
// The text as a shape, with the top-left of its first glyph's box at `origin`.
Sdf TextShape(const std::string& text, Vec2 origin, const TextStyle& style);

}  // namespace wispen::art
