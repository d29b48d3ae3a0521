#include "Obstacles.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/Playfield.h"
#include "data/DataFile.h"
#include "data/FileIo.h"
#include "platform/Errors.h"
#include "platform/ImageCodec.h"

namespace wispen {

namespace {

// Reads up to 12 bytes over the slot's record; a short file leaves the rest as it was.
AnimaRecord ReadAnimaRecord(const std::string& fileName, AnimaRecord record) {
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (f == nullptr) throw IoError("cannot open " + fileName + ": " + std::strerror(errno));
  uint8_t bytes[12];
  const size_t got = std::fread(bytes, 1, sizeof bytes, f);
  const bool failed = std::ferror(f) != 0;
  if (std::fclose(f) != 0 || failed) throw IoError("cannot read " + fileName);
  int32_t* fields[3] = {&record.FrameWidth, &record.FrameHeight, &record.FrameCount};
  for (size_t i = 0; i < got; ++i) {
    auto u = static_cast<uint32_t>(*fields[i / 4]);
    const unsigned shift = 8 * (i % 4);
    u = (u & ~(0xFFu << shift)) | (static_cast<uint32_t>(bytes[i]) << shift);
    *fields[i / 4] = static_cast<int32_t>(u);
  }
  return record;
}

bool Fits(int64_t v) {
  return v >= INT32_MIN && v <= INT32_MAX;
}

}  // namespace

uint64_t PictureBytes(const PalettePicture& picture) {
  return picture.Empty() ? 0 : uint64_t{4} * static_cast<uint64_t>(picture.Width()) * picture.Height();
}

void LoadObstaclePictures(StageContent& stage, AnimaSlots& slots, ImageCodec& codec,
                          const std::string& gameDir, const std::string& tempDir, uint64_t budget) {
  uint64_t held = 0;
  for (const TPaletteImage& slot : slots) held += PictureBytes(slot.Picture);
  for (int i = 0; i < kAnimaSlotCount; ++i) {
    const int32_t id = stage.AnimaIds[i];
    if (id < 0) continue;
    const std::string picture = gameDir + "Data/AnimaP" + std::to_string(id) + ".Dat";
    const std::string record = gameDir + "Data/Anima" + std::to_string(id) + ".Dat";
    if (FileExists(picture) && FileExists(record)) {
      // Slots kept from earlier stages count too: they are held all the same.
      const uint64_t others = held - PictureBytes(slots[i].Picture);
      PictureLimit limit = kStripPictureLimit;
      limit.MaxPixels = std::min(limit.MaxPixels, others >= budget ? 0 : (budget - others) / 4);
      LoadDataPicture(codec, tempDir, picture, slots[i], limit);
      held = others + PictureBytes(slots[i].Picture);
      stage.SetAnimaInfo(i, ReadAnimaRecord(record, stage.AnimaInfo[i]));
    } else {
      stage.SetAnimaInfo(i, AnimaRecord{});
    }
  }
}

void DrawObstacles(const StageContent& stage, const AnimaSlots& slots, int32_t pathIndex, int32_t viewX,
                   int32_t viewY, TBitmap& target) {
  const int count = std::min(stage.ObstacleCount, kObstacleCapacity);
  for (int k = 0; k < count; ++k) {
    const ObstacleRecord& r = stage.Obstacles[k];
    // A record outside the limits is refused at the stage start; here it is only kept from dividing by zero.
    if (!ObstacleInModel(r)) continue;
    const int32_t s = AnimationStep(r, pathIndex);
    const PalettePicture& strip = slots[ObstacleSlot(r.Slot)].Picture;
    // Stored values are taken as they are; sums that leave the 32-bit range lie far outside the buffer
    // anyway.
    const int64_t x = int64_t{r.StepX[s]} - viewX + kBackBufferViewRect.Left;
    const int64_t y = int64_t{r.StepY[s]} - viewY + kBackBufferViewRect.Top;
    const int64_t left = int64_t{r.FrameWidth} * r.StepFrame[s];
    if (!Fits(x) || !Fits(y) || !Fits(left) || !Fits(x + r.FrameWidth) || !Fits(y + r.FrameHeight) ||
        !Fits(left + r.FrameWidth) || !Fits(int64_t{r.FrameHeight} * 2)) {
      continue;
    }
    const TRect dest = Bounds(static_cast<int32_t>(x), static_cast<int32_t>(y), r.FrameWidth, r.FrameHeight);
    const auto l = static_cast<int32_t>(left);
    strip.Draw(target, dest, l, 0, SRCAND);
    strip.Draw(target, dest, l, r.FrameHeight, SRCPAINT);
  }
}

}  // namespace wispen
