#pragma once

#include <vector>

#include "AnimaSource.h"
#include "StageSource.h"
#include "Track.h"
#include "core/StageFile.h"
#include "formats/IndexedImage.h"

namespace wispen::stagegen {

// Room of demon world around the outermost views, so that pixel (0, 0) and the map's edges never show.
constexpr int kMapMargin = 24;

struct BuiltStage {
  formats::IndexedImage Map;
  StageFile File;
  stagegen::Track Track;
};

// Makes a stage's map and path file from its description and the anima list.
BuiltStage BuildStage(const StageDesc& desc, const std::vector<AnimaDesc>& animas);

}  // namespace wispen::stagegen
