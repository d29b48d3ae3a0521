#include "Png.h"

#include "assets/gen/Png.h"

namespace wispen::formats {

void WritePreviewPng(const TBitmap& picture, const std::string& path) {
  art::WritePng(path, picture.Width(), picture.Height(), picture.Pixels());
}

}  // namespace wispen::formats
