// Writes one PNG with every built-in picture, drawn the way the game draws them (masks with AND, colours
// with OR), and the frame as the player sees it with the digit display, the soul icons and a menu on it.
//   wispen_contact_sheet OUT.png
#include <iostream>
#include <string>
#include <vector>

#include "Png.h"
#include "assets/BuiltinPictures.h"
#include "core/ProbeOffsets.h"

namespace {

using namespace wispen;

constexpr TColor kBackdrop = RGB(92, 92, 100);

void Sprite(TCanvas& canvas, int x, int y, const TBitmap& colour, const TBitmap& mask, int zoom) {
  const TRect dest = Bounds(x, y, colour.Width() * zoom, colour.Height() * zoom);
  const TRect whole = Bounds(0, 0, colour.Width(), colour.Height());
  canvas.StretchBlt(dest, mask, whole, SRCAND);
  canvas.StretchBlt(dest, colour, whole, SRCPAINT);
}

void Opaque(TCanvas& canvas, int x, int y, const TBitmap& picture, int zoom) {
  canvas.StretchBlt(Bounds(x, y, picture.Width() * zoom, picture.Height() * zoom), picture,
                    Bounds(0, 0, picture.Width(), picture.Height()), SRCCOPY);
}

void List(TCanvas& canvas, int x, int y, const TImageList& list, int zoom, int gap) {
  for (int i = 0; i < list.Count(); ++i) {
    Sprite(canvas, x + i * (list.Width() * zoom + gap), y, list.Image(i), list.Mask(i), zoom);
  }
}

// The screen during play: frame, digit display, soul icons, the soul, a burst, a devil and a menu.
TBitmap PlayScreen() {
  TBitmap screen = BuiltinPicture(Builtin::Frame);
  TCanvas& canvas = screen.Canvas();
  const TImageList digits = BuiltinDigitList();
  digits.Draw(canvas, 236, 384, 1);
  digits.Draw(canvas, 261, 384, 0);
  digits.Draw(canvas, 501, 384, 9);
  digits.Draw(canvas, 526, 384, 7);
  const TBitmap soul = BuiltinPicture(Builtin::SoulColour), soulMask = BuiltinPicture(Builtin::SoulMask);
  for (int k = 0; k < 9; ++k) {
    const TRect icon = Bounds(544 - 41 * k, 436, 33, 33);
    canvas.StretchBlt(icon, soulMask, Bounds(0, 0, 38, 38), SRCAND);
    canvas.StretchBlt(icon, soul, Bounds(0, 0, 38, 38), SRCPAINT);
  }
  Sprite(canvas, 150, 150, soul, soulMask, 1);
  BuiltinBurstList().Draw(canvas, 220, 130, 3);
  BuiltinDevilList().Draw(canvas, 300, 90, 0);
  const TBitmap button = BuiltinPicture(Builtin::Button);
  Opaque(canvas, 124, 300, button, 1);
  Opaque(canvas, 388, 300, button, 1);
  return screen;
}

// The stage select: bands between the stage badges over the play window.
TBitmap StageSelectScreen() {
  TBitmap screen = BuiltinPicture(Builtin::Frame);
  TCanvas& canvas = screen.Canvas();
  const int left[] = {95, 225, 355, 485, 355, 225, 95, 225, 355, 485};
  const int top[] = {295, 270, 245, 220, 195, 170, 145, 120, 95, 70};
  for (int i = 1; i < 10; ++i) {
    const TPoint a{left[i - 1] + 30, top[i - 1] + 30}, b{left[i] + 30, top[i] + 30};
    canvas.BrushColor = i < 6 ? clBlue : clGray;
    canvas.Polygon({{a.X, a.Y - 8}, {b.X, b.Y - 8}, {b.X, b.Y + 8}, {a.X, a.Y + 8}});
  }
  const TImageList stages = BuiltinStageList();
  for (int k = 0; k < 10; ++k) stages.Draw(canvas, left[k], top[k], k);
  return screen;
}

// The play view at the ending: the beam's trail of stamps down to the soul, and the angel beside it.
TBitmap EndingView() {
  TBitmap view(500, 300, clBlack);
  const TBitmap beam = BuiltinPicture(Builtin::BeamColour), beamMask = BuiltinPicture(Builtin::BeamMask);
  // The back buffer's beam runs from (600, 0) to (340, 260); the view starts at (100, 100).
  for (int x = 600, y = 0; x > 338; x -= 2, y += 2)
    Sprite(view.Canvas(), x - 100, y - 100, beam, beamMask, 1);
  Sprite(view.Canvas(), 200, 200, BuiltinPicture(Builtin::SoulColour), BuiltinPicture(Builtin::SoulMask), 1);
  Sprite(view.Canvas(), 60, 120, BuiltinPicture(Builtin::AngelColour), BuiltinPicture(Builtin::AngelMask), 1);
  return view;
}

// The soul's mask enlarged, with its ring of probes marked in red.
TBitmap ProbeChart(int zoom) {
  const TBitmap mask = BuiltinPicture(Builtin::SoulMask);
  TBitmap chart(38 * zoom, 38 * zoom);
  Opaque(chart.Canvas(), 0, 0, mask, zoom);
  for (const TPoint& p : ProbeOffsets) {
    chart.Canvas().BrushColor = clRed;
    chart.Canvas().FillRect(Bounds(p.X * zoom + 1, p.Y * zoom + 1, zoom - 2, zoom - 2));
  }
  return chart;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: wispen_contact_sheet OUT.png\n";
    return 2;
  }
  try {
    TBitmap sheet(1310, 2300, kBackdrop);
    TCanvas& canvas = sheet.Canvas();
    Opaque(canvas, 10, 10, PlayScreen(), 1);
    Opaque(canvas, 660, 10, StageSelectScreen(), 1);

    int y = 505;
    Sprite(canvas, 10, y, BuiltinPicture(Builtin::SoulColour), BuiltinPicture(Builtin::SoulMask), 6);
    Opaque(canvas, 248, y, ProbeChart(6), 1);
    Sprite(canvas, 490, y, BuiltinPicture(Builtin::AngelColour), BuiltinPicture(Builtin::AngelMask), 2);
    Sprite(canvas, 630, y, BuiltinPicture(Builtin::BeamColour), BuiltinPicture(Builtin::BeamMask), 2);
    Opaque(canvas, 740, y, BuiltinPicture(Builtin::Icon), 4);
    List(canvas, 740, y + 140, BuiltinDigitList(), 2, 2);
    y += 240;
    List(canvas, 10, y, BuiltinBurstList(), 2, 10);
    y += 165;
    const TImageList devils = BuiltinDevilList();  // at 2x, in two rows of four
    for (int i = 0; i < devils.Count(); ++i) {
      Sprite(canvas, 10 + (i % 4) * (2 * devils.Width() + 10), y + (i / 4) * (2 * devils.Height() + 10),
             devils.Image(i), devils.Mask(i), 2);
    }
    y += 2 * (2 * devils.Height() + 10);
    List(canvas, 10, y, BuiltinStageList(), 2, 8);
    y += 130;
    Sprite(canvas, 10, y, BuiltinPicture(Builtin::CurtainColour), BuiltinPicture(Builtin::CurtainMask), 2);
    Opaque(canvas, 1020, y, BuiltinPicture(Builtin::Button), 2);
    y += 215;
    Opaque(canvas, 10, y, EndingView(), 1);

    wispen::art::WritePng(argv[1], sheet.Width(), sheet.Height(), sheet.Pixels());
  } catch (const std::exception& e) {
    std::cerr << "wispen_contact_sheet: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
