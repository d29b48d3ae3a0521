#pragma once

#include <vector>

#include "Palette.h"
#include "StageSource.h"
#include "Texture.h"

namespace wispen::stagegen {

// The kinds of demon-world surface a layer can paint.
enum class Material { Rock, Flesh, Veins, Cracks, Crystal, Fire, Bone, Scales, Lava, Vines };

// Throws std::invalid_argument for an unknown name.
Material MaterialNamed(const std::string& name);

// Paints the demon world of one stage: its layers of material, lit along the corridor's edge and darkening
// away from it. Never paints black.
class MapPainter {
 public:
  MapPainter(const StageDesc& desc, const Palette& palette);

  // The palette entry for a wall pixel `distance` pixels from the corridor.
  uint8_t Paint(int x, int y, float distance) const;
  // A cheap stand-in for pixels that no view ever shows: still textured, in the first layer's colours.
  uint8_t PaintUnseen(int x, int y) const;

 private:
  struct Layer {
    Material Kind;
    int Ramp;
    double InvScale;
    double Threshold;  // of the region texture; the layer shows where the region lies above it
    double OffsetX, OffsetY;
  };
  struct Shade {
    double Value;
    double Alpha;
  };
  Shade PaintLayer(const Layer& layer, double u, double v) const;
  // The surface's height, for the materials that are lit as relief.
  double Height(Material kind, double u, double v) const;

  const Palette& palette_;
  double rim_;
  std::vector<Layer> layers_;
  Texture fine_, warp_, ridged_, region_;
  CellTextures cells_, bigCells_;
};

}  // namespace wispen::stagegen
