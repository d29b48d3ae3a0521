#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "TempDir.h"
#include "platform/Errors.h"
#include "sdl/BmpReader.h"
#include "sdl/SdlImageCodec.h"

namespace wispen {
namespace {

using test::Bytes;
using test::Put16;
using test::Put32;
using test::ReadAll;
using test::TempDir;
using test::WriteAll;

// A BMP file with a 40-byte info header, colour masks after it when given, and the rows as they are passed.
Bytes MakeBmp(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression, const Bytes& rows,
              std::vector<uint32_t> masks = {}) {
  const size_t offset = 14 + 40 + 4 * masks.size();
  Bytes b(offset);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(offset + rows.size()));
  Put32(b, 10, static_cast<uint32_t>(offset));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, bitCount);
  Put32(b, 30, compression);
  for (size_t i = 0; i < masks.size(); ++i) Put32(b, 54 + 4 * i, masks[i]);
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

class PictureFileTest : public ::testing::Test {
 protected:
  TBitmap Load(const Bytes& bytes) {
    WriteAll(path, bytes);
    return codec.Load(path);
  }
  // Loading either gives a picture or throws IoError; nothing else may happen.
  void ExpectLoadsOrRefuses(const Bytes& bytes) {
    WriteAll(path, bytes);
    try {
      codec.Load(path);
    } catch (const IoError&) {
    }
  }

  TempDir dir;
  std::string path = dir / "picture.bmp";
  SdlImageCodec codec;
};

TEST_F(PictureFileTest, SixteenBitColoursAreScaledNotRepeated) {
  // 5-5-5: 1 is 8.2 of 255 and 3 is 24.7: scaled they give 8 and 25, repeated bits 8 and 24.
  Bytes rows(8);
  Put16(rows, 0, 1 << 10 | 3 << 5 | 31);
  Put16(rows, 2, 30 << 10 | 16 << 5 | 0);
  Put16(rows, 4, 0x8000);  // the unused top bit is no colour
  const TBitmap picture = Load(MakeBmp(3, 1, 16, 0, rows));
  EXPECT_EQ(picture.At(0, 0), RGB(8, 25, 255));
  EXPECT_EQ(picture.At(1, 0), RGB(247, 132, 0));
  EXPECT_EQ(picture.At(2, 0), RGB(0, 0, 0));
}

TEST_F(PictureFileTest, PlainThirtyTwoBitIgnoresTheFourthByte) {
  const Bytes rows = {0x30, 0x20, 0x10, 0x00, 0x30, 0x20, 0x10, 0x80, 0x01, 0x02, 0x03, 0xFF};
  const TBitmap picture = Load(MakeBmp(3, 1, 32, 0, rows));
  EXPECT_EQ(picture.At(0, 0), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(picture.At(1, 0), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(picture.At(2, 0), RGB(0x03, 0x02, 0x01));
}

TEST_F(PictureFileTest, OddMasksDecodeWithoutFault) {
  // Ten-bit red, a green mask with a gap in it and no blue at all.
  Bytes rows(8);
  Put32(rows, 0, 0x3FF | 0x5 << 10);
  Put32(rows, 4, 0x200);
  const TBitmap picture = Load(MakeBmp(2, -1, 32, 3, rows, {0x3FF, 0x7 << 10, 0}));
  EXPECT_EQ(picture.At(0, 0), RGB(255, 182, 0));
  EXPECT_EQ(picture.At(1, 0), RGB(128, 0, 0));
}

// Bit fields wider or narrower than a byte (11-11-10, 7-18-7), made from the suite's true-colour reference as
// its questionable files are: each byte scaled to the field's width, to the nearest step. Read back, a field
// of 8 bits or more gives the reference's byte again; a narrower one the byte nearest to its own value.
TEST_F(PictureFileTest, WideAndNarrowBitFieldsComeBackToTheNearestByte) {
  const TBitmap reference = codec.Load(WISPEN_BMPSUITE_DIR "/reference/rgb24.png");
  for (const std::array<int, 3>& bits : {std::array{11, 11, 10}, std::array{7, 18, 7}}) {
    std::vector<uint32_t> masks;
    for (int c = 0, shift = 32; c < 3; ++c) masks.push_back(((1u << bits[c]) - 1) << (shift -= bits[c]));
    const int w = reference.Width(), h = reference.Height();
    Bytes rows(static_cast<size_t>(w) * h * 4);
    std::vector<std::array<uint32_t, 3>> fields;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const TColor rgb = reference.At(x, y);
        std::array<uint32_t, 3> field{};
        uint32_t pixel = 0;
        for (int c = 0; c < 3; ++c) {
          const double top = (1u << bits[c]) - 1;
          field[c] = static_cast<uint32_t>(std::lround(((rgb >> (8 * c)) & 0xFF) * top / 255));
          pixel |= field[c] << std::countr_zero(masks[c]);
        }
        fields.push_back(field);
        Put32(rows, (static_cast<size_t>(y) * w + x) * 4, pixel);
      }
    }
    const TBitmap picture = Load(MakeBmp(w, -h, 32, 3, rows, masks));
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        for (int c = 0; c < 3; ++c) {
          const double top = (1u << bits[c]) - 1;
          const long want = bits[c] >= 8 ? (reference.At(x, y) >> (8 * c)) & 0xFF
                                         : std::lround(fields[static_cast<size_t>(y) * w + x][c] * 255 / top);
          wrong += static_cast<long>((picture.At(x, y) >> (8 * c)) & 0xFF) != want;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << bits[0] << "-" << bits[1] << "-" << bits[2];
  }
}

TEST_F(PictureFileTest, RowsRunBottomUpUnlessHeightIsNegative) {
  Bytes rows(8);
  Put16(rows, 0, 31);        // first row stored: blue
  Put16(rows, 4, 31 << 10);  // second row stored: red (each row padded to four bytes)
  TBitmap up = Load(MakeBmp(1, 2, 16, 0, rows));
  EXPECT_EQ(up.At(0, 1), RGB(0, 0, 255));
  EXPECT_EQ(up.At(0, 0), RGB(255, 0, 0));
  TBitmap down = Load(MakeBmp(1, -2, 16, 0, rows));
  EXPECT_EQ(down.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(down.At(0, 1), RGB(255, 0, 0));
}

TEST_F(PictureFileTest, TooLargePicturesAreRefusedFromTheirHeader) {
  // No pixels follow these headers: a reader that took memory first would fail later, or not at all.
  for (auto [width, height] : {std::pair{16385, 1},
                               {1, -16385},
                               {8193, 8193},
                               {0x7FFFFFFF, 0x7FFFFFFF},
                               {1, static_cast<int32_t>(0x80000000)}}) {
    for (uint16_t bits : {8, 24, 32}) {
      WriteAll(path, MakeBmp(width, height, bits, 0, {}));
      try {
        codec.Load(path);
        ADD_FAILURE() << width << " x " << height << " at " << bits << " bits was taken";
      } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
      }
    }
  }
  Bytes png = {0x89, 'P', 'N', 'G',  '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
               'R',  0,   0,   0x50, 0,    0,    0,    0x50, 0, 8, 2, 0,  0,   0};
  WriteAll(path, png);
  EXPECT_THROW(codec.Load(path), IoError);
}

TEST(PictureSizeTest, LimitsAreSixteenThousandPixelsASideAndAQuarterGibibyte) {
  EXPECT_NO_THROW(CheckPictureSize(16384, 4096, "p"));  // exactly 256 MiB
  EXPECT_THROW(CheckPictureSize(16384, 4097, "p"), IoError);
  EXPECT_THROW(CheckPictureSize(16385, 1, "p"), IoError);
  EXPECT_THROW(CheckPictureSize(1, 16385, "p"), IoError);
  EXPECT_THROW(CheckPictureSize(0, 5, "p"), IoError);
  EXPECT_THROW(CheckPictureSize(5, -1, "p"), IoError);
  EXPECT_NO_THROW(CheckPictureSize(1, 16384, "p"));
}

TEST_F(PictureFileTest, CutShortFilesAreRefused) {
  for (const char* name :
       {"rgb16.bmp", "rgb32bf.bmp", "rgb24.bmp", "pal8.bmp", "pal8os2.bmp", "pal8v5.bmp"}) {
    const Bytes whole = ReadAll(std::string(WISPEN_BMPSUITE_DIR) + "/good/" + name);
    for (size_t size :
         {size_t{0}, size_t{1}, size_t{13}, size_t{20}, size_t{40}, size_t{60}, whole.size() / 2}) {
      WriteAll(path, Bytes(whole.begin(), whole.begin() + size));
      EXPECT_THROW(codec.Load(path), IoError) << name << " cut to " << size << " bytes";
    }
  }
}

TEST_F(PictureFileTest, DamagedFilesNeverCrash) {
  for (const char* name :
       {"rgb16-565.bmp", "rgb32bf.bmp", "pal4rle.bmp", "pal8rle.bmp", "pal1.bmp", "pal8os2.bmp"}) {
    const Bytes whole = ReadAll(std::string(WISPEN_BMPSUITE_DIR) + "/good/" + name);
    // Every header byte in turn set to an extreme, and the file cut at every length of its headers.
    for (size_t at = 2; at < 70 && at < whole.size(); ++at) {
      for (unsigned char value : {0x00, 0x7F, 0xFF}) {
        Bytes damaged = whole;
        damaged[at] = value;
        ExpectLoadsOrRefuses(damaged);
      }
      ExpectLoadsOrRefuses(Bytes(whole.begin(), whole.begin() + at));
    }
    // Run-length data and pixels overwritten with noise.
    Bytes noisy = whole;
    for (size_t i = 70; i < noisy.size(); ++i) noisy[i] = static_cast<unsigned char>(i * 131 + 17);
    ExpectLoadsOrRefuses(noisy);
  }
}

TEST_F(PictureFileTest, OtherFilesAreNoPictures) {
  WriteAll(path, Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0});
  EXPECT_THROW(codec.Load(path), IoError);
  EXPECT_THROW(codec.Load(dir / "missing.bmp"), IoError);
  std::filesystem::create_directory(dir / "folder.bmp");
  EXPECT_THROW(codec.Load(dir / "folder.bmp"), IoError);
}

TEST(BmpHeaderTest, ReadsTheOs2CoreHeader) {
  Bytes head(26);
  head[0] = 'B';
  head[1] = 'M';
  Put32(head, 10, 26 + 3 * 256);
  Put32(head, 14, 12);
  Put16(head, 18, 300);
  Put16(head, 20, 200);
  Put16(head, 22, 1);
  Put16(head, 24, 8);
  const BmpHeader header = ParseBmpHeader(head, "p");
  EXPECT_EQ(header.width, 300);
  EXPECT_EQ(header.height, 200);
  EXPECT_EQ(header.bitCount, 8);
  EXPECT_FALSE(header.topDown);
  EXPECT_FALSE(DecodesItself(header));
}

}  // namespace
}  // namespace wispen
