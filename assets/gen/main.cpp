// Paints every built-in picture and writes them as C++ data for the game, plus the launcher's icons.
//   wispen_artgen --source OUT.cpp --icons DIR   (DIR/NxN/apps/wispen.png, a desktop's icon theme layout)
//   wispen_artgen --preview DIR [NAME...]   (PNGs of the named sets, enlarged, for looking at while drawing)
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "Artwork.h"
#include "Emit.h"
#include "Png.h"
#include "Quantize.h"

namespace {

using namespace wispen::art;

constexpr int kLauncherIconSizes[] = {32, 48, 64, 128, 256};

struct Source {
  const char* identifier;
  std::function<std::vector<Picture>()> draw;
  bool array;
  int colours;
};

std::vector<Source> Sources() {
  const auto one = [](Picture (*f)()) { return [f] { return std::vector<Picture>{f()}; }; };
  return {
      {"kFrame", one(DrawFrame), false, 256},
      {"kSoul", one(DrawSoul), false, 256},
      {"kCurtain", one(DrawCurtain), false, 256},
      {"kButton", one(DrawButton), false, 256},
      {"kBeam", one(DrawBeam), false, 256},
      {"kAngel", one(DrawAngel), false, 256},
      // The window icon keeps to 16 colours, as icons of its kind do.
      {"kIcon", [] { return std::vector<Picture>{DrawIcon(32)}; }, false, 16},
      {"kBurst", DrawBurst, true, 256},
      {"kDevil", DrawDevils, true, 256},
      {"kStages", DrawStageBadges, true, 256},
      {"kDigits", DrawDigits, true, 256},
  };
}

std::vector<Picture> Finished(const Source& source) {
  std::vector<Picture> pictures = source.draw();
  if (source.array) {
    QuantizeTogether(pictures, source.colours);
  } else {
    Quantize(pictures.front(), source.colours);
  }
  return pictures;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

// The picture enlarged, over a grey checkerboard where it is transparent.
void Preview(const std::string& dir, const Picture& p) {
  const int zoom = p.width >= 300 ? 1 : (p.width >= 100 ? 2 : 4);
  std::vector<uint32_t> out(static_cast<size_t>(p.width * zoom) * p.height * zoom);
  for (int y = 0; y < p.height * zoom; ++y) {
    for (int x = 0; x < p.width * zoom; ++x) {
      const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
      const uint32_t back = dark ? 0x505050 : 0x707070;
      out[static_cast<size_t>(y) * p.width * zoom + x] =
          p.In(x / zoom, y / zoom) ? p.At(x / zoom, y / zoom) : back;
    }
  }
  WritePng(dir + "/" + p.name + ".png", p.width * zoom, p.height * zoom, out);
}

int Run(const std::vector<std::string>& args) {
  std::string source, icons, preview;
  std::vector<std::string> names;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--source" && i + 1 < args.size()) {
      source = args[++i];
    } else if (args[i] == "--icons" && i + 1 < args.size()) {
      icons = args[++i];
    } else if (args[i] == "--preview" && i + 1 < args.size()) {
      preview = args[++i];
    } else if (!preview.empty()) {
      names.push_back(args[i]);
    } else {
      std::cerr << "usage: wispen_artgen --source OUT.cpp --icons DIR | --preview DIR [NAME...]\n";
      return 2;
    }
  }
  if (!preview.empty()) {
    for (const Source& s : Sources()) {
      bool wanted = names.empty();
      for (const std::string& n : names) wanted = wanted || n == s.identifier;
      if (!wanted) continue;
      for (const Picture& p : Finished(s)) Preview(preview, p);
    }
    if (names.empty() || std::find(names.begin(), names.end(), "launcher") != names.end()) {
      const Picture icon = DrawIcon(256);
      WritePng(preview + "/launcher.png", icon.width, icon.height, icon.colour);
    }
    return 0;
  }
  if (source.empty() || icons.empty()) {
    std::cerr << "wispen_artgen: both --source and --icons are needed\n";
    return 2;
  }
  std::vector<PictureSet> sets;
  for (const Source& s : Sources()) sets.push_back({s.identifier, Finished(s), s.array});
  WriteText(source, EmitSource(sets));
  // Each size is painted for itself, not scaled from another, so the small ones stay sharp.
  for (int size : kLauncherIconSizes) {
    const std::string dir = icons + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    std::filesystem::create_directories(dir);
    const Picture icon = DrawIcon(size);
    WritePng(dir + "/wispen.png", icon.width, icon.height, icon.colour);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::cerr << "wispen_artgen: " << e.what() << "\n";
    return 1;
  }
}
