#pragma once

#include <string>
#include <vector>

#include "Picture.h"

namespace wispen::art {

// One array of pictures under a C++ name: a single picture (`array` false) or an array of them.
struct PictureSet {
  std::string identifier;
  std::vector<Picture> pictures;
  bool array = false;
};

// The source text that defines every set as EncodedPicture data (see assets/EncodedPicture.h).
// Each picture must already have at most 256 palette entries.
std::string EmitSource(const std::vector<PictureSet>& sets);

}  // namespace wispen::art
