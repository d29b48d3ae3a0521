#include "SdlImageCodec.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "BmpReader.h"
#include "PaletteBmp.h"
#include "platform/Errors.h"

namespace wispen {

namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

// A TColor is 0x00BBGGRR, which is SDL's XBGR8888: the bitmap's pixels can be wrapped as they are.
Surface Wrap(const TBitmap& picture) {
  auto* pixels = const_cast<TColor*>(picture.Pixels().data());
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels, picture.Width(), picture.Height(), 32,
                                                      picture.Width() * 4, SDL_PIXELFORMAT_XBGR8888);
  if (s == nullptr) throw IoError(std::string("cannot wrap picture: ") + SDL_GetError());
  return Surface(s);
}

// A palette picture's colours looked up straight into the bitmap, where a conversion would first make a
// 32-bit copy of it (a stage's map is 32 MB so). Nothing when the picture has no palette or an index beyond
// it.
std::optional<TBitmap> FromPalette(SDL_Surface* s) {
  const SDL_Palette* palette = s->format->palette;
  if (s->format->BitsPerPixel != 8 || palette == nullptr) return std::nullopt;
  TBitmap out(s->w, s->h);
  bool inPalette = true;
  SDL_LockSurface(s);
  for (int y = 0; y < s->h && inPalette; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    TColor* to = &out.At(0, y);
    for (int x = 0; x < s->w && inPalette; ++x) {
      inPalette = row[x] < palette->ncolors;
      if (inPalette)
        to[x] = RGB(palette->colors[row[x]].r, palette->colors[row[x]].g, palette->colors[row[x]].b);
    }
  }
  SDL_UnlockSurface(s);
  if (!inPalette) return std::nullopt;
  return out;
}

// A whole file, its buffer not cleared before it is read over: a map's file is megabytes.
struct FileBytes {
  std::unique_ptr<uint8_t[]> data;
  size_t size = 0;
  std::span<const uint8_t> View() const { return {data.get(), size}; }
};

// No picture the game takes is stored in more bytes than its pixels take at 32 bits, headers aside.
FileBytes ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw IoError("cannot open the picture " + path);
  in.seekg(0, std::ios::end);
  const auto size = static_cast<uint64_t>(std::max<std::streamoff>(in.tellg(), 0));
  if (size > kMaxPictureBytes + (uint64_t{1} << 20)) throw IoError("the picture " + path + " is too large");
  FileBytes bytes{std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(size)),
                  static_cast<size_t>(size)};
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data.get()), static_cast<std::streamsize>(bytes.size)))
    throw IoError("cannot read the picture " + path);
  return bytes;
}

// Pictures go to SDL by their content, never by their name, and only after their size has been checked.
// The file is read whole first: SDL reads a palette picture in pieces of a few bytes, which from a file
// cost some hundred milliseconds for a stage's map.
TBitmap DecodeThroughSdl(std::span<const uint8_t> bytes, const std::string& path, const char* type) {
  Surface loaded;
  {
    SDL_RWops* file = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (file == nullptr) throw IoError("cannot open the picture " + path + ": " + SDL_GetError());
    loaded.reset(IMG_LoadTyped_RW(file, 1, type));
  }
  if (!loaded) throw IoError("cannot read the picture " + path + ": " + IMG_GetError());
  if (std::optional<TBitmap> direct = FromPalette(loaded.get())) return std::move(*direct);
  Surface converted(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_XBGR8888, 0));
  if (!converted) throw IoError("cannot convert the picture " + path + ": " + SDL_GetError());
  TBitmap out(converted->w, converted->h);
  SDL_LockSurface(converted.get());
  for (int y = 0; y < converted->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(converted->pixels) +
                                                        y * converted->pitch);
    for (int x = 0; x < converted->w; ++x) out.At(x, y) = row[x] & 0x00FFFFFF;
  }
  SDL_UnlockSurface(converted.get());
  return out;
}

std::vector<uint8_t> ReadUpTo(std::ifstream& file, uint64_t count, const std::string& path) {
  std::vector<uint8_t> bytes(count);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
  if (file.bad()) throw IoError("cannot read the picture " + path);
  bytes.resize(static_cast<size_t>(file.gcount()));
  return bytes;
}

bool IsPng(std::span<const uint8_t> head) {
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return head.size() >= 8 && std::equal(kSignature, kSignature + 8, head.begin());
}

void CheckLimit(int64_t width, int64_t height, const PictureLimit& limit, const std::string& path) {
  if (limit.Allows(width, height)) return;
  throw IoError("the picture " + path + " is larger than its use allows: " + std::to_string(width) + " x " +
                std::to_string(height) + " pixels");
}

// The width and height of a PNG stand big-endian in its first chunk, IHDR, at bytes 16 and 20.
void CheckPngSize(std::span<const uint8_t> head, const std::string& path, const PictureLimit& limit) {
  if (head.size() < 24) throw IoError("the picture " + path + " has a damaged header");
  auto be32 = [&](size_t at) {
    return static_cast<uint32_t>(head[at]) << 24 | static_cast<uint32_t>(head[at + 1]) << 16 |
           static_cast<uint32_t>(head[at + 2]) << 8 | static_cast<uint32_t>(head[at + 3]);
  };
  CheckPictureSize(be32(16), be32(20), path);
  CheckLimit(be32(16), be32(20), limit, path);
}

}  // namespace

TBitmap SdlImageCodec::Load(const std::string& path, const PictureLimit& limit) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw IoError("cannot open the picture " + path);
  const std::vector<uint8_t> head = ReadUpTo(file, kBmpHeadBytes, path);
  if (IsPng(head)) {
    CheckPngSize(head, path, limit);
    return DecodeThroughSdl(ReadWhole(path).View(), path, "PNG");
  }
  if (!IsBmp(head)) throw IoError("the file " + path + " is neither a BMP nor a PNG picture");
  const BmpHeader header = ParseBmpHeader(head, path);
  CheckLimit(header.width, header.height, limit, path);
  if (!DecodesItself(header)) {
    if (std::optional<PalettePicture> direct = DecodePaletteBmp(header, file)) return direct->ToBitmap();
    return DecodeThroughSdl(ReadWhole(path).View(), path, "BMP");
  }
  file.clear();
  file.seekg(0, std::ios::end);
  const auto size = static_cast<uint64_t>(std::max<std::streamoff>(file.tellg(), 0));
  if (header.pixelOffset >= size) throw IoError("the picture " + path + " is cut short");
  file.seekg(header.pixelOffset);
  const std::vector<uint8_t> data =
      ReadUpTo(file, std::min(BmpPixelBytes(header), size - header.pixelOffset), path);
  return DecodeBmpPixels(header, data, path);
}

PalettePicture SdlImageCodec::LoadPalette(const std::string& path, const PictureLimit& limit) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw IoError("cannot open the picture " + path);
  const std::vector<uint8_t> head = ReadUpTo(file, kBmpHeadBytes, path);
  if (IsBmp(head)) {
    const BmpHeader header = ParseBmpHeader(head, path);
    CheckLimit(header.width, header.height, limit, path);
    if (std::optional<PalettePicture> direct = DecodePaletteBmp(header, file)) return std::move(*direct);
    // What the direct reading leaves goes to SDL, as in Load, without that reading's second try there.
    if (!DecodesItself(header)) return PalettePicture(DecodeThroughSdl(ReadWhole(path).View(), path, "BMP"));
  }
  file.close();
  return PalettePicture(Load(path, limit));
}

TBitmap DecodeBmpThroughSdl(std::span<const uint8_t> file) {
  return DecodeThroughSdl(file, "in memory", "BMP");
}

void SdlImageCodec::SavePng(const TBitmap& picture, const std::string& path) {
  if (picture.Empty()) throw IoError("cannot write an empty picture to " + path);
  Surface s = Wrap(picture);
  if (IMG_SavePNG(s.get(), path.c_str()) != 0) throw IoError("cannot write " + path + ": " + IMG_GetError());
}

void SdlImageCodec::SaveBmp(const TBitmap& picture, const std::string& path) {
  if (picture.Empty()) throw IoError("cannot write an empty picture to " + path);
  Surface s = Wrap(picture);
  Surface rgb(SDL_ConvertSurfaceFormat(s.get(), SDL_PIXELFORMAT_BGR24, 0));
  if (!rgb || SDL_SaveBMP(rgb.get(), path.c_str()) != 0)
    throw IoError("cannot write " + path + ": " + SDL_GetError());
}

}  // namespace wispen
