#include "BuiltinPictures.h"

#include <span>
#include <stdexcept>

#include "EncodedPicture.h"

namespace wispen {

namespace {

using assets_data::EncodedPicture;
using assets_data::kInsideBit;

enum class Plane { Colour, Mask };

TBitmap Decode(const EncodedPicture& picture, Plane plane) {
  TBitmap out(picture.width, picture.height);
  std::vector<TColor>& pixels = out.Pixels();
  for (size_t i = 0; i < pixels.size(); ++i) {
    const auto index = static_cast<unsigned char>(picture.indices[i]);
    if (index >= picture.paletteSize) throw std::logic_error("built-in picture index outside its palette");
    const uint32_t entry = picture.palette[index];
    if (plane == Plane::Colour) {
      pixels[i] = entry & 0xFFFFFF;
    } else {
      pixels[i] = (entry & kInsideBit) ? clBlack : clWhite;
    }
  }
  return out;
}

TImageList DecodeList(std::span<const EncodedPicture> pictures) {
  TImageList list(pictures.front().width, pictures.front().height);
  for (const EncodedPicture& p : pictures) list.Add(Decode(p, Plane::Colour), Decode(p, Plane::Mask));
  return list;
}

}  // namespace

TBitmap BuiltinPicture(Builtin which) {
  using namespace assets_data;
  switch (which) {
    case Builtin::Frame:
      return Decode(kFrame, Plane::Colour);
    case Builtin::SoulColour:
      return Decode(kSoul, Plane::Colour);
    case Builtin::SoulMask:
      return Decode(kSoul, Plane::Mask);
    case Builtin::CurtainColour:
      return Decode(kCurtain, Plane::Colour);
    case Builtin::CurtainMask:
      return Decode(kCurtain, Plane::Mask);
    case Builtin::Button:
      return Decode(kButton, Plane::Colour);
    case Builtin::BeamColour:
      return Decode(kBeam, Plane::Colour);
    case Builtin::BeamMask:
      return Decode(kBeam, Plane::Mask);
    case Builtin::AngelColour:
      return Decode(kAngel, Plane::Colour);
    case Builtin::AngelMask:
      return Decode(kAngel, Plane::Mask);
    case Builtin::Icon:
      return Decode(kIcon, Plane::Colour);
  }
  throw std::invalid_argument("unknown built-in picture");
}

TImageList BuiltinBurstList() {
  return DecodeList(assets_data::kBurst);
}
TImageList BuiltinDevilList() {
  return DecodeList(assets_data::kDevil);
}
TImageList BuiltinStageList() {
  return DecodeList(assets_data::kStages);
}
TImageList BuiltinDigitList() {
  return DecodeList(assets_data::kDigits);
}

}  // namespace wispen
