#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/TextEngine.h"

typedef struct _TTF_Font TTF_Font;

namespace wispen {

// Text through SDL2_ttf, fonts opened at 96 DPI so point sizes give the pixel sizes of a Windows desktop.
// Face names map to free fonts found through fontconfig.
class SdlTextEngine : public TextEngine {
 public:
  // Throws std::runtime_error naming the package to install when a face cannot be found.
  SdlTextEngine();
  ~SdlTextEngine() override;
  SdlTextEngine(const SdlTextEngine&) = delete;
  SdlTextEngine& operator=(const SdlTextEngine&) = delete;

  TextCoverage Render(const TFont& font, const std::string& utf8) override;
  TSize Measure(const TFont& font, const std::string& utf8) override;

  // The font file that a face name maps to (throws when it is not installed).
  static std::string FontFileFor(const std::string& faceName, bool bold);

 private:
  TTF_Font* Open(const TFont& font);

  std::map<std::tuple<std::string, int, bool>, TTF_Font*> fonts_;
};

}  // namespace wispen
