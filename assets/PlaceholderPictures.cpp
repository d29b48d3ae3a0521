// Plain shapes of the right sizes, standing in until the drawn artwork arrives.
#include "BuiltinPictures.h"

namespace wispen {

namespace {

struct Sprite {
  TBitmap colour;
  TBitmap mask;
};

// A filled ellipse of one colour inside a w x h box, with its exact mask.
Sprite Blob(int w, int h, TColor colour) {
  Sprite s{TBitmap(w, h, clBlack), TBitmap(w, h, clWhite)};
  const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0, rx = w / 2.0 - 2, ry = h / 2.0 - 2;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double dx = (x - cx) / rx, dy = (y - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) {
        s.colour.At(x, y) = colour;
        s.mask.At(x, y) = clBlack;
      }
    }
  }
  return s;
}

// A small disc well inside the ring of probes.
Sprite Soul() {
  Sprite s{TBitmap(38, 38, clBlack), TBitmap(38, 38, clWhite)};
  for (int y = 0; y < 38; ++y) {
    for (int x = 0; x < 38; ++x) {
      if ((x - 19) * (x - 19) + (y - 12) * (y - 12) <= 36) {
        s.colour.At(x, y) = RGB(200, 240, 255);
        s.mask.At(x, y) = clBlack;
      }
    }
  }
  return s;
}

TImageList BlobList(int w, int h, int count, TColor colour) {
  TImageList list(w, h);
  for (int i = 0; i < count; ++i) {
    Sprite s = Blob(w, h, colour + static_cast<TColor>(i * 0x000010));
    list.Add(std::move(s.colour), std::move(s.mask));
  }
  return list;
}

}  // namespace

TBitmap BuiltinPicture(Builtin which) {
  switch (which) {
    case Builtin::Frame: {
      TBitmap frame(640, 480, RGB(70, 64, 60));
      frame.Canvas().BrushColor = clBlack;
      frame.Canvas().FillRect(TRect{70, 60, 570, 360});
      return frame;
    }
    case Builtin::SoulColour:
      return Soul().colour;
    case Builtin::SoulMask:
      return Soul().mask;
    case Builtin::CurtainColour: {
      TBitmap c(500, 100, clBlack);
      c.Canvas().BrushColor = RGB(120, 0, 0);
      c.Canvas().FillRect(TRect{0, 80, 500, 90});
      return c;
    }
    case Builtin::CurtainMask: {
      TBitmap m(500, 100, clBlack);
      m.Canvas().BrushColor = clWhite;
      m.Canvas().FillRect(TRect{0, 90, 500, 100});
      return m;
    }
    case Builtin::Button:
      return TBitmap(141, 37, RGB(150, 150, 160));
    case Builtin::BeamColour:
      return Blob(49, 49, RGB(255, 255, 200)).colour;
    case Builtin::BeamMask:
      return Blob(49, 49, 0).mask;
    case Builtin::AngelColour:
      return Blob(62, 100, RGB(255, 240, 180)).colour;
    case Builtin::AngelMask:
      return Blob(62, 100, 0).mask;
    case Builtin::Icon:
      return Blob(32, 32, RGB(200, 240, 255)).colour;
  }
  return TBitmap();
}

TImageList BuiltinBurstList() { return BlobList(76, 76, 7, RGB(255, 160, 40)); }
TImageList BuiltinDevilList() { return BlobList(150, 165, 8, RGB(90, 30, 110)); }
TImageList BuiltinStageList() { return BlobList(60, 60, 10, RGB(40, 80, 200)); }
TImageList BuiltinDigitList() { return BlobList(25, 38, 11, RGB(230, 200, 60)); }

}  // namespace wispen
