#pragma once

#include <array>
#include <string>

#include "StageContent.h"
#include "platform/Bitmap.h"
#include "platform/ImageCodec.h"
#include "platform/PalettePicture.h"

namespace wispen {

class ImageCodec;

using AnimaSlots = std::array<TPaletteImage, kAnimaSlotCount>;

// What a stage's pictures may be, well above what any stage uses: a map of at most 16384 x 2048, obstacle
// strips of at most 16 Mi pixels (4096 x 4096) and 4096 rows, and all the pictures a stage holds (the map
// and the twenty slots) within 256 MiB. A small file can describe a picture far larger than its bytes.
inline constexpr PictureLimit kMapPictureLimit{16384, 2048, 16384 * 2048};
inline constexpr PictureLimit kStripPictureLimit{16384, 4096, 4096 * 4096};
inline constexpr uint64_t kStagePictureBudget = uint64_t{256} << 20;

// What a picture counts against the stage's budget: its pixels at 32 bits, as they may be while it is read,
// whether it is then held as palette indices or not.
uint64_t PictureBytes(const PalettePicture& picture);

// Fills the picture slots from the stage's anima files. A slot whose id is negative, or whose picture or
// record file is missing, keeps the picture it had. The pictures are copied through `tempDir`. The slots'
// pictures together may take `budget` bytes; a strip beyond its limit or the budget throws IoError.
void LoadObstaclePictures(StageContent& stage, AnimaSlots& slots, ImageCodec& codec,
                          const std::string& gameDir, const std::string& tempDir,
                          uint64_t budget = kStagePictureBudget);

// Draws every obstacle of the stage for the view origin (viewX, viewY) into the back buffer, each a masked
// frame of its slot's strip at the animation step that pathIndex gives.
void DrawObstacles(const StageContent& stage, const AnimaSlots& slots, int32_t pathIndex, int32_t viewX,
                   int32_t viewY, TBitmap& target);

}  // namespace wispen
