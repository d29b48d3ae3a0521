#pragma once

#include <string>

#include "platform/Bitmap.h"

namespace wispen::formats {

// Writes an uncompressed RGB PNG: previews of maps and strips for people to look at.
void WritePreviewPng(const TBitmap& picture, const std::string& path);

}  // namespace wispen::formats
