// Lays screen shots side by side, each under its caption, into one contact sheet.
//   wispen_tile_screens OUT.png COLUMNS SHRINK caption=shot.png ...   ("_" in a caption stands for a blank)
// SHRINK 2 shows each 640x480 shot at 320x240.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "sdl/SdlImageCodec.h"
#include "sdl/SdlTextEngine.h"

namespace {

using namespace wispen;

constexpr int kGap = 8;
constexpr int kCaption = 22;
constexpr TColor kBackdrop = RGB(40, 40, 48);

// Averages each shrink x shrink block, so a shrunk shot keeps its thin lines and text legible.
TBitmap Shrunk(const TBitmap& shot, int shrink) {
  TBitmap out(shot.Width() / shrink, shot.Height() / shrink);
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      unsigned r = 0, g = 0, b = 0;
      for (int dy = 0; dy < shrink; ++dy) {
        for (int dx = 0; dx < shrink; ++dx) {
          const TColor c = shot.At(x * shrink + dx, y * shrink + dy);
          r += GetRValue(c);
          g += GetGValue(c);
          b += GetBValue(c);
        }
      }
      const unsigned n = static_cast<unsigned>(shrink * shrink);
      out.At(x, y) =
          RGB(static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n), static_cast<uint8_t>(b / n));
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s OUT.png COLUMNS SHRINK caption=shot.png ...\n", argv[0]);
    return 2;
  }
  try {
    const int columns = std::stoi(argv[2]), shrink = std::stoi(argv[3]);
    SdlImageCodec codec;
    SdlTextEngine text;
    std::vector<std::pair<std::string, TBitmap>> shots;
    for (int i = 4; i < argc; ++i) {
      const std::string arg = argv[i];
      const auto eq = arg.find('=');
      std::string caption = arg.substr(0, eq);
      for (char& c : caption) c = c == '_' ? ' ' : c;
      shots.emplace_back(caption, Shrunk(codec.Load(arg.substr(eq + 1)), shrink));
    }
    const int w = shots[0].second.Width(), h = shots[0].second.Height();
    const int rows = (static_cast<int>(shots.size()) + columns - 1) / columns;
    TBitmap sheet(kGap + columns * (w + kGap), kGap + rows * (h + kCaption + kGap), kBackdrop);
    sheet.Canvas().SetTextEngine(&text);
    sheet.Canvas().Font = TFont{"Arial", 10, true, RGB(230, 230, 230)};
    for (size_t i = 0; i < shots.size(); ++i) {
      const int x = kGap + static_cast<int>(i % columns) * (w + kGap);
      const int y = kGap + static_cast<int>(i / columns) * (h + kCaption + kGap);
      sheet.Canvas().TextOut(x, y + 2, shots[i].first);
      sheet.Canvas().StretchBlt(Bounds(x, y + kCaption, w, h), shots[i].second, Bounds(0, 0, w, h), SRCCOPY);
    }
    codec.SavePng(sheet, argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
  return 0;
}
