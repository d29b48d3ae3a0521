#include "Bmp.h"

#include <algorithm>
#include <string>

namespace wispen::formats {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
// Pictures larger than this are not ours to read: a damaged header must not make us allocate gigabytes.
constexpr int64_t kMaxPixels = int64_t{1} << 28;

void CheckEncodable(const IndexedImage& image) {
  if (image.Width <= 0 || image.Height <= 0) throw FormatError("BMP: empty picture");
  if (image.Palette.empty() || image.Palette.size() > 256) {
    throw FormatError("BMP: a palette of " + std::to_string(image.Palette.size()) + " colours");
  }
  if (image.Pixels.size() != static_cast<size_t>(image.Width) * image.Height) {
    throw FormatError("BMP: pixel count does not match the size");
  }
  const uint8_t top = *std::max_element(image.Pixels.begin(), image.Pixels.end());
  if (top >= image.Palette.size())
    throw FormatError("BMP: pixel index " + std::to_string(top) + " beyond the palette");
}

size_t RawRowStride(int width) {
  return (static_cast<size_t>(width) + 3) & ~size_t{3};
}

// One row in RLE8: runs of two or more as encoded runs, stretches of unlike bytes as absolute runs.
void EncodeRleRow(const uint8_t* row, int width, ByteWriter& out) {
  int i = 0;
  while (i < width) {
    int run = 1;
    while (i + run < width && run < 255 && row[i + run] == row[i]) ++run;
    if (run >= 2) {
      out.U8(static_cast<uint8_t>(run));
      out.U8(row[i]);
      i += run;
      continue;
    }
    // Gather literals up to the next run of three or more.
    int n = 1;
    while (i + n < width && n < 255) {
      const int j = i + n;
      if (j + 2 < width && row[j] == row[j + 1] && row[j] == row[j + 2]) break;
      ++n;
    }
    if (n < 3) {
      // An absolute run needs at least three bytes; shorter stretches go out as runs of one.
      for (int k = 0; k < n; ++k) {
        out.U8(1);
        out.U8(row[i + k]);
      }
    } else {
      out.U8(0);
      out.U8(static_cast<uint8_t>(n));
      for (int k = 0; k < n; ++k) out.U8(row[i + k]);
      if (n % 2 == 1) out.U8(0);
    }
    i += n;
  }
}

Bytes Assemble(const IndexedImage& image, uint32_t compression, std::span<const uint8_t> pixelData) {
  const uint32_t paletteBytes = static_cast<uint32_t>(image.Palette.size()) * 4;
  const uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + paletteBytes;
  ByteWriter out;
  out.U8('B');
  out.U8('M');
  out.U32(dataOffset + static_cast<uint32_t>(pixelData.size()));
  out.U32(0);
  out.U32(dataOffset);
  out.U32(kInfoHeaderSize);
  out.I32(image.Width);
  out.I32(image.Height);
  out.U16(1);
  out.U16(8);
  out.U32(compression);
  out.U32(static_cast<uint32_t>(pixelData.size()));
  out.U32(2835);  // 72 dots per inch
  out.U32(2835);
  out.U32(static_cast<uint32_t>(image.Palette.size()));
  out.U32(0);
  for (TColor c : image.Palette) {
    out.U8(GetBValue(c));
    out.U8(GetGValue(c));
    out.U8(GetRValue(c));
    out.U8(0);
  }
  out.Append(pixelData);
  return out.Take();
}

Bytes RawPixels(const IndexedImage& image) {
  const size_t stride = RawRowStride(image.Width);
  Bytes data(stride * image.Height, 0);
  for (int y = 0; y < image.Height; ++y) {
    const uint8_t* src = &image.Pixels[static_cast<size_t>(y) * image.Width];
    std::copy(src, src + image.Width, data.begin() + static_cast<ptrdiff_t>(stride * (image.Height - 1 - y)));
  }
  return data;
}

struct Header {
  BmpInfo Info;
  uint32_t DataOffset = 0;
  std::vector<TColor> Palette;
};

Header ReadHeader(std::span<const uint8_t> bytes) {
  ByteReader in(bytes, "BMP");
  Header h;
  in.Seek(10);
  h.DataOffset = in.U32();
  const uint32_t infoSize = in.U32();
  if (infoSize < kInfoHeaderSize)
    throw FormatError("BMP: unsupported header of " + std::to_string(infoSize) + " bytes");
  const int32_t width = in.I32();
  const int32_t height = in.I32();
  in.U16();  // planes
  h.Info.BitCount = in.U16();
  h.Info.Compression = in.U32();
  in.U32();  // image size
  in.U32();
  in.U32();
  const uint32_t used = in.U32();
  if (width <= 0 || height == 0 || height == INT32_MIN) throw FormatError("BMP: bad size");
  h.Info.Width = width;
  h.Info.TopDown = height < 0;
  h.Info.Height = height < 0 ? -height : height;
  if (int64_t{h.Info.Width} * h.Info.Height > kMaxPixels) throw FormatError("BMP: picture too large");
  if (h.Info.BitCount == 8) {
    const uint32_t count = used == 0 ? 256 : used;
    if (count > 256) throw FormatError("BMP: palette of " + std::to_string(count) + " colours");
    in.Seek(kFileHeaderSize + infoSize);
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t b = in.U8(), g = in.U8(), r = in.U8();
      in.U8();
      h.Palette.push_back(RGB(r, g, b));
    }
    h.Info.PaletteSize = static_cast<int>(count);
  }
  if (h.DataOffset > bytes.size()) throw FormatError("BMP: pixel data beyond the end of the file");
  return h;
}

IndexedImage DecodeIndices(std::span<const uint8_t> bytes, const Header& h) {
  const BmpInfo& info = h.Info;
  if (info.BitCount != 8) throw FormatError("BMP: not an 8-bit picture");
  if (info.Compression != kBiRgb && info.Compression != kBiRle8) {
    throw FormatError("BMP: unsupported compression " + std::to_string(info.Compression));
  }
  if (info.Compression == kBiRle8 && info.TopDown) throw FormatError("BMP: RLE pictures must be bottom-up");
  IndexedImage image(info.Width, info.Height, 0);
  image.Palette = h.Palette;
  auto rowOf = [&](int fileRow) { return info.TopDown ? fileRow : info.Height - 1 - fileRow; };
  if (info.Compression == kBiRgb) {
    const size_t stride = RawRowStride(info.Width);
    if (h.DataOffset + stride * info.Height > bytes.size()) throw FormatError("BMP: pixel data cut short");
    for (int r = 0; r < info.Height; ++r) {
      const uint8_t* src = bytes.data() + h.DataOffset + stride * r;
      std::copy(src, src + info.Width, &image.At(0, rowOf(r)));
    }
  } else {
    ByteReader in(bytes, "BMP RLE8 data");
    in.Seek(h.DataOffset);
    int x = 0, r = 0;
    auto put = [&](uint8_t v) {
      if (x >= info.Width || r >= info.Height) throw FormatError("BMP: RLE8 data runs past the picture");
      image.At(x++, rowOf(r)) = v;
    };
    for (bool done = false; !done;) {
      const uint8_t count = in.U8();
      const uint8_t value = in.U8();
      if (count > 0) {
        for (int k = 0; k < count; ++k) put(value);
      } else if (value == 0) {
        x = 0;
        ++r;
      } else if (value == 1) {
        done = true;
      } else if (value == 2) {
        x += in.U8();
        r += in.U8();
      } else {
        for (int k = 0; k < value; ++k) put(in.U8());
        if (value % 2 == 1) in.U8();
      }
    }
  }
  for (uint8_t v : image.Pixels) {
    if (v >= image.Palette.size())
      throw FormatError("BMP: pixel index " + std::to_string(v) + " beyond the palette");
  }
  return image;
}

}  // namespace

Bytes EncodeRle8(const IndexedImage& image) {
  CheckEncodable(image);
  ByteWriter out;
  for (int y = image.Height - 1; y >= 0; --y) {
    EncodeRleRow(&image.Pixels[static_cast<size_t>(y) * image.Width], image.Width, out);
    if (y > 0) {
      out.U8(0);
      out.U8(0);
    }
  }
  out.U8(0);
  out.U8(1);
  return out.Take();
}

Bytes EncodeBmp8(const IndexedImage& image, BmpPacking packing) {
  CheckEncodable(image);
  if (packing == BmpPacking::Raw) return Assemble(image, kBiRgb, RawPixels(image));
  Bytes rle = EncodeRle8(image);
  if (packing == BmpPacking::Smallest && rle.size() >= RawRowStride(image.Width) * image.Height) {
    return Assemble(image, kBiRgb, RawPixels(image));
  }
  return Assemble(image, kBiRle8, rle);
}

BmpInfo ReadBmpInfo(std::span<const uint8_t> bytes) {
  return ReadHeader(bytes).Info;
}

IndexedImage DecodeBmp8(std::span<const uint8_t> bytes) {
  return DecodeIndices(bytes, ReadHeader(bytes));
}

TBitmap DecodeBmp(std::span<const uint8_t> bytes) {
  const Header h = ReadHeader(bytes);
  const BmpInfo& info = h.Info;
  if (info.BitCount == 8) {
    const IndexedImage indices = DecodeIndices(bytes, h);
    TBitmap out(info.Width, info.Height);
    std::vector<TColor>& pixels = out.Pixels();  // taken once: each taking marks every row written
    for (size_t i = 0; i < indices.Pixels.size(); ++i) pixels[i] = indices.Palette[indices.Pixels[i]];
    return out;
  }
  if (info.BitCount != 24 && info.BitCount != 32) {
    throw FormatError("BMP: unsupported depth of " + std::to_string(info.BitCount) + " bits");
  }
  const bool plain = info.Compression == kBiRgb || (info.BitCount == 32 && info.Compression == kBiBitfields);
  if (!plain) throw FormatError("BMP: unsupported compression " + std::to_string(info.Compression));
  const size_t bpp = info.BitCount / 8;
  const size_t stride = (info.Width * bpp + 3) & ~size_t{3};
  if (h.DataOffset + stride * info.Height > bytes.size()) throw FormatError("BMP: pixel data cut short");
  TBitmap out(info.Width, info.Height);
  for (int r = 0; r < info.Height; ++r) {
    const uint8_t* src = bytes.data() + h.DataOffset + stride * r;
    const int y = info.TopDown ? r : info.Height - 1 - r;
    for (int x = 0; x < info.Width; ++x, src += bpp) out.At(x, y) = RGB(src[2], src[1], src[0]);
  }
  return out;
}

}  // namespace wispen::formats
