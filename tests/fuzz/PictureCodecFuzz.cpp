// The picture loader as the game uses it: a file whose "BM" the extraction has restored, read through
// SDL2_image or the own decoder, at 32 bits and as palette indices, which must be the same picture. The limit
// is a mebipixel rather than a strip's 16: a few bytes of run-length code fill a picture of any size, and
// filling 64 MiB a run would take most of the time.
#include <cstdint>
#include <vector>

#include "FuzzFile.h"
#include "platform/Errors.h"
#include "sdl/SdlImageCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wispen;
  static const std::string path = fuzz::ScratchPath("picture.bmp");
  static SdlImageCodec codec;
  std::vector<uint8_t> bytes(data, data + size);
  if (bytes.size() >= 2) bytes[0] = 'B', bytes[1] = 'M';
  fuzz::WriteFile(path, bytes.data(), bytes.size());
  static constexpr PictureLimit kLimit{4096, 4096, 1 << 20};
  TBitmap picture;
  try {
    picture = codec.Load(path, kLimit);
    fuzz::Require(kLimit.Allows(picture.Width(), picture.Height()));
  } catch (const IoError&) {
    return 0;
  }
  const TBitmap indexed = codec.LoadPalette(path, kLimit).ToBitmap();  // a file read once reads again
  fuzz::Require(indexed.Width() == picture.Width() && indexed.Pixels() == picture.Pixels());
  return 0;
}
