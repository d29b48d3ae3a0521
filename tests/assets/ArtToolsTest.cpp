#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "Artwork.h"
#include "Glyphs.h"
#include "Png.h"
#include "Quantize.h"

namespace wispen::art {
namespace {

Picture Gradient(int width, int height, bool withOutside) {
  Picture p{"gradient", width, height, withOutside, {}, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool in = !withOutside || (x + y) % 5 != 0;
      p.inside.push_back(in ? 1 : 0);
      // Mostly a smooth ramp, with a few pure blacks and some nearly-black colours inside.
      uint32_t c = static_cast<uint32_t>(x * 3 % 256 | (y * 5 % 256) << 8 | ((x + y) % 256) << 16);
      if (x % 17 == 0) c = 0;
      if (x % 13 == 0) c = 0x000001;
      p.colour.push_back(in ? c : 0);
    }
  }
  return p;
}

TEST(QuantizeTest, KeepsToTheLimitAndNeverMixesBlackWithColour) {
  for (bool withOutside : {false, true}) {
    for (int limit : {16, 256}) {
      const Picture before = Gradient(120, 90, withOutside);
      Picture after = before;
      Quantize(after, limit);
      const Indexed indexed = ToIndexed(after);
      EXPECT_LE(static_cast<int>(indexed.palette.size()), limit);
      for (size_t i = 0; i < before.colour.size(); ++i) {
        ASSERT_EQ(after.inside[i], before.inside[i]);
        ASSERT_EQ(after.colour[i] == 0, before.colour[i] == 0) << i;
      }
    }
  }
  Picture p = Gradient(4, 4, false);
  EXPECT_THROW(Quantize(p, 1), std::invalid_argument);
}

TEST(QuantizeTest, IndexedPaletteMarksTheSpriteAndRejectsTooManyColours) {
  Picture p = Gradient(8, 8, true);
  Quantize(p, 256);
  const Indexed indexed = ToIndexed(p);
  for (size_t i = 0; i < p.colour.size(); ++i) {
    const uint32_t entry = indexed.palette.at(indexed.indices[i]);
    EXPECT_EQ(entry & 0xFFFFFF, p.colour[i]);
    EXPECT_EQ((entry & kInsideBit) != 0, p.inside[i] != 0);
  }
  Picture many = Gradient(200, 200, false);
  EXPECT_THROW(ToIndexed(many), std::runtime_error);
}

TEST(QuantizeTest, PicturesQuantizedTogetherShareTheirColours) {
  // Two frames of one animation: the same pixels must come out the same in both.
  std::vector<Picture> frames = {Gradient(100, 60, true), Gradient(100, 60, true)};
  for (size_t i = 0; i < 300; ++i) frames[1].colour[i] = frames[1].inside[i] ? 0x00FF00u : 0;
  QuantizeTogether(frames, 64);
  size_t same = 0;
  for (size_t i = 300; i < frames[0].colour.size(); ++i)
    same += frames[0].colour[i] == frames[1].colour[i] ? 1 : 0;
  EXPECT_EQ(same, frames[0].colour.size() - 300);
  std::set<uint32_t> colours(frames[0].colour.begin(), frames[0].colour.end());
  colours.insert(frames[1].colour.begin(), frames[1].colour.end());
  EXPECT_LE(colours.size(), 64u);
  std::vector<Picture> uneven = {Gradient(10, 10, false), Gradient(12, 10, false)};
  EXPECT_THROW(QuantizeTogether(uneven, 16), std::invalid_argument);
}

uint32_t Big32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]);
}

TEST(PngTest, StoresThePixelsRowByRow) {
  const int width = 300, height = 250;  // more than one stored block
  std::vector<uint32_t> pixels;
  for (int i = 0; i < width * height; ++i)
    pixels.push_back(static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF);
  const std::vector<uint8_t> png = EncodePng(width, height, pixels);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');
  EXPECT_EQ(Big32(png, 16), static_cast<uint32_t>(width));
  EXPECT_EQ(Big32(png, 20), static_cast<uint32_t>(height));
  // Walk the chunks; gather the image data and undo the stored deflate blocks.
  std::vector<uint8_t> z;
  size_t at = 8;
  while (at < png.size()) {
    const uint32_t length = Big32(png, at);
    const std::string type(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8);
    if (type == "IDAT")
      z.insert(z.end(), png.begin() + static_cast<long>(at) + 8,
               png.begin() + static_cast<long>(at + 8 + length));
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  std::vector<uint8_t> raw;
  size_t pos = 2;
  for (bool last = false; !last;) {
    last = z.at(pos) & 1;
    const size_t n = z.at(pos + 1) | z.at(pos + 2) << 8;
    EXPECT_EQ(n ^ 0xFFFF, static_cast<size_t>(z.at(pos + 3) | z.at(pos + 4) << 8));
    raw.insert(raw.end(), z.begin() + static_cast<long>(pos) + 5, z.begin() + static_cast<long>(pos + 5 + n));
    pos += 5 + n;
  }
  ASSERT_EQ(raw.size(), static_cast<size_t>(height) * (width * 3 + 1));
  for (int y = 0; y < height; y += 49) {
    for (int x = 0; x < width; x += 37) {
      const size_t r = static_cast<size_t>(y) * (width * 3 + 1) + 1 + x * 3;
      const uint32_t c = pixels[static_cast<size_t>(y) * width + x];
      EXPECT_EQ(raw[r], c & 0xFF);
      EXPECT_EQ(raw[r + 2], c >> 16 & 0xFF);
    }
  }
  EXPECT_THROW(EncodePng(2, 2, {1, 2, 3}), std::invalid_argument);
}

TEST(GlyphsTest, MeasuresAndRefusesUnknownCharacters) {
  const TextStyle style{2, 1, 1.8f};
  EXPECT_FLOAT_EQ(TextWidth("1", style), GlyphFor('1').width * 2);
  EXPECT_FLOAT_EQ(TextWidth("11", style), (GlyphFor('1').width * 2 + 1.8f) * 2);
  const Sdf one = TextShape("1", {10, 10}, style);
  EXPECT_LT(one({10 + 3.4f * 2, 20}), 0);  // on the figure's stem
  EXPECT_GT(one({10, 30}), 0);
  EXPECT_THROW(GlyphFor('?'), std::invalid_argument);
}

TEST(ArtworkTest, PaintingIsRepeatable) {
  // The build must give the same pixels from the same sources: no clocks, no unseeded randomness.
  const std::vector<Picture> first = DrawBurst(), second = DrawBurst();
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].colour, second[i].colour);
    EXPECT_EQ(first[i].inside, second[i].inside);
  }
  EXPECT_EQ(DrawCurtain().colour, DrawCurtain().colour);
  EXPECT_EQ(DrawIcon(48).colour, DrawIcon(48).colour);
}

}  // namespace
}  // namespace wispen::art
