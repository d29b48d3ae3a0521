#include "SdlTextEngine.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <stdexcept>

namespace wispen {

namespace {

struct FaceMapping {
  const char* face;     // the name the game asks for
  const char* family;   // the free family that stands in for it
  const char* package;  // the Debian package that installs it
  bool heavy;           // asks for the heaviest weight installed
};

// "Arial Black" has no free twin of the same name; it maps to the heaviest weight of Liberation Sans
// installed (its Bold), which is the heaviest sans face the install script brings.
constexpr FaceMapping kFaces[] = {
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", "IPAGothic",
     "fonts-ipafont-gothic", false},  // ＭＳ ゴシック
    {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", "IPAPGothic",
     "fonts-ipafont-gothic", false},  // ＭＳ Ｐゴシック
    {"Arial", "Liberation Sans", "fonts-liberation2", false},
    {"Arial Black", "Liberation Sans", "fonts-liberation2", true},
};

const FaceMapping& MappingFor(const std::string& face) {
  for (const FaceMapping& m : kFaces) {
    if (face == m.face) return m;
  }
  return kFaces[2];  // any other face: the plain sans
}

}  // namespace

std::string SdlTextEngine::FontFileFor(const std::string& faceName, bool bold) {
  const FaceMapping& m = MappingFor(faceName);
  if (!FcInit()) throw std::runtime_error("fontconfig cannot start");
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(m.family));
  FcPatternAddInteger(pattern, FC_WEIGHT, (bold || m.heavy) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  bool isFamily = false;
  if (match != nullptr) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch) file = reinterpret_cast<char*>(value);
    // A font has a family name in each language it names itself in, listed in the order of the user's
    // locale: under a Japanese one "IPAゴシック" comes before "IPAGothic". Any of them will do.
    for (int i = 0; !isFamily && FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i)
      isFamily = FcStrCmpIgnoreCase(value, reinterpret_cast<const FcChar8*>(m.family)) == 0;
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  if (file.empty() || !isFamily) {
    throw std::runtime_error(std::string("font \"") + m.family + "\" (for \"" + faceName +
                             "\") is not installed: install the package " + m.package);
  }
  return file;
}

SdlTextEngine::SdlTextEngine() {
  if (TTF_WasInit() == 0 && TTF_Init() != 0)
    throw std::runtime_error(std::string("SDL_ttf: ") + TTF_GetError());
  // Every face the game uses must be there from the start.
  for (const FaceMapping& m : kFaces) FontFileFor(m.face, false);
}

SdlTextEngine::~SdlTextEngine() {
  for (auto& [key, font] : fonts_) TTF_CloseFont(font);
  TTF_Quit();
}

TTF_Font* SdlTextEngine::Open(const TFont& font) {
  const auto key = std::make_tuple(MappingFor(font.Name).face, font.Size, font.Bold);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  const std::string file = FontFileFor(font.Name, font.Bold);
  TTF_Font* opened = TTF_OpenFontDPI(file.c_str(), font.Size > 0 ? font.Size : 1, 96, 96);
  if (opened == nullptr) throw std::runtime_error("cannot open font " + file + ": " + TTF_GetError());
  fonts_[key] = opened;
  return opened;
}

TSize SdlTextEngine::Measure(const TFont& font, const std::string& utf8) {
  TTF_Font* f = Open(font);
  int w = 0, h = 0;
  if (!utf8.empty() && TTF_SizeUTF8(f, utf8.c_str(), &w, &h) != 0) w = 0;
  return TSize{w, TTF_FontHeight(f)};
}

TextCoverage SdlTextEngine::Render(const TFont& font, const std::string& utf8) {
  TextCoverage out;
  if (utf8.empty()) return out;
  TTF_Font* f = Open(font);
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(f, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  if (rendered == nullptr) return out;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (argb == nullptr) return out;
  out.Width = argb->w;
  out.Height = argb->h;
  out.Alpha.resize(static_cast<size_t>(out.Width) * out.Height);
  SDL_LockSurface(argb);
  for (int y = 0; y < argb->h; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
    for (int x = 0; x < argb->w; ++x) out.Alpha[static_cast<size_t>(y) * out.Width + x] = row[x] >> 24;
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  return out;
}

}  // namespace wispen
