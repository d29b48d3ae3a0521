#pragma once

#include <map>
#include <string>

#include "platform/Errors.h"
#include "platform/ImageCodec.h"
#include "platform/TextEngine.h"

namespace wispen::testing {

// Text as solid boxes, 8 pixels a byte and as high as the font's pixel size: enough to see where text goes.
class BoxTextEngine : public TextEngine {
 public:
  TSize Measure(const TFont& font, const std::string& utf8) override {
    return TSize{static_cast<int32_t>(8 * utf8.size()), font.Size * 4 / 3};
  }
  TextCoverage Render(const TFont& font, const std::string& utf8) override {
    const TSize s = Measure(font, utf8);
    TextCoverage c;
    c.Width = s.cx;
    c.Height = s.cy;
    c.Alpha.assign(static_cast<size_t>(s.cx) * s.cy, 255);
    return c;
  }
};

// Keeps saved pictures in memory; loads only what was saved.
class MemoryImageCodec : public ImageCodec {
 public:
  using ImageCodec::Load;
  TBitmap Load(const std::string& path, const PictureLimit& limit) override {
    auto it = saved.find(path);
    if (it == saved.end()) throw IoError("no picture " + path);
    if (!limit.Allows(it->second.Width(), it->second.Height())) throw IoError("too large: " + path);
    return it->second;
  }
  void SavePng(const TBitmap& picture, const std::string& path) override { Save(picture, path, "png"); }
  void SaveBmp(const TBitmap& picture, const std::string& path) override { Save(picture, path, "bmp"); }
  void Save(const TBitmap& picture, const std::string& path, const char* kind) {
    saved[path] = picture;
    format[path] = kind;
  }
  std::map<std::string, TBitmap> saved;
  std::map<std::string, std::string> format;  // "png" or "bmp"
};

}  // namespace wispen::testing
