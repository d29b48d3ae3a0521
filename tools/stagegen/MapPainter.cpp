#include "MapPainter.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <stdexcept>

#include "Random.h"
#include "Vec2.h"

namespace wispen::stagegen {

Material MaterialNamed(const std::string& name) {
  static const std::pair<const char*, Material> kNames[] = {
      {"rock", Material::Rock},     {"flesh", Material::Flesh},     {"veins", Material::Veins},
      {"cracks", Material::Cracks}, {"crystal", Material::Crystal}, {"fire", Material::Fire},
      {"bone", Material::Bone},     {"scales", Material::Scales},   {"lava", Material::Lava},
      {"vines", Material::Vines},
  };
  for (const auto& [n, m] : kNames) {
    if (name == n) return m;
  }
  throw std::invalid_argument("unknown material '" + name + "'");
}

namespace {

// Regions are read from a coarse noise stretched this much over the map: patches several views across.
constexpr double kRegionStretch = 1.0 / 5.0;

double Quantile(const Texture& t, double q) {
  std::vector<float> v;
  v.reserve(static_cast<size_t>(t.Size()) * t.Size());
  for (int y = 0; y < t.Size(); ++y) {
    for (int x = 0; x < t.Size(); ++x) v.push_back(t.At(x, y));
  }
  const size_t k = std::min(v.size() - 1, static_cast<size_t>(std::clamp(q, 0.0, 1.0) * (v.size() - 1)));
  std::nth_element(v.begin(), v.begin() + static_cast<ptrdiff_t>(k), v.end());
  return v[k];
}

}  // namespace

MapPainter::MapPainter(const StageDesc& desc, const Palette& palette)
    : palette_(palette), rim_(desc.RimLight) {
  // The textures are independent of one another: make them side by side.
  auto fine = std::async(std::launch::async, FractalNoise, 9, 8, 5, 0.55, Mix64(desc.Seed + 1));
  auto warp = std::async(std::launch::async, FractalNoise, 9, 4, 3, 0.5, Mix64(desc.Seed + 2));
  auto ridged = std::async(std::launch::async, RidgedNoise, 9, 6, 4, 0.5, 3.0, Mix64(desc.Seed + 3));
  auto region = std::async(std::launch::async, FractalNoise, 9, 4, 3, 0.5, Mix64(desc.Seed + 4));
  auto cells = std::async(std::launch::async, CellNoise, 9, 16, Mix64(desc.Seed + 5));
  auto bigCells = std::async(std::launch::async, CellNoise, 9, 6, Mix64(desc.Seed + 6));
  fine_ = fine.get();
  warp_ = warp.get();
  ridged_ = ridged.get();
  region_ = region.get();
  cells_ = cells.get();
  bigCells_ = bigCells.get();
  Random random(Mix64(desc.Seed + 7));
  for (const LayerDesc& l : desc.Layers) {
    Layer layer;
    try {
      layer.Kind = MaterialNamed(l.Material);
      layer.Ramp = palette.RampId(l.Ramp);
    } catch (const std::invalid_argument& e) {
      throw formats::SourceError("line " + std::to_string(l.Line) + ": " + e.what());
    }
    if (l.Scale <= 0)
      throw formats::SourceError("line " + std::to_string(l.Line) + ": scale must be positive");
    layer.InvScale = 1.0 / l.Scale;
    layer.Threshold = l.Cover >= 1 ? -1.0 : Quantile(region_, 1.0 - l.Cover);
    layer.OffsetX = random.Range(0, 4096);
    layer.OffsetY = random.Range(0, 4096);
    layers_.push_back(layer);
  }
}

double MapPainter::Height(Material kind, double u, double v) const {
  switch (kind) {
    case Material::Rock: {
      // Folds and lumps, split here and there by a jagged crack (cell borders read through a fine jitter,
      // and only where a slow noise lets them show).
      const double ju = u + 12.0 * (fine_.Sample(u * 0.9 + 50, v * 0.9) - 0.5);
      const double jv = v + 12.0 * (fine_.Sample(u * 0.9, v * 0.9 + 80) - 0.5);
      const double reach = Smoothstep(0.45, 0.6, fine_.Sample(u * 0.15 + 300, v * 0.15));
      const double crack =
          reach * (1.0 - Smoothstep(0.0, 0.025, bigCells_.Edge.Sample(ju * 0.22, jv * 0.22)));
      return 0.45 * fine_.Sample(u * 0.35, v * 0.35) + 0.25 * fine_.Sample(u * 1.2, v * 1.2) +
             0.12 * fine_.Sample(u * 3.5, v * 3.5) + 0.25 * ridged_.Sample(u * 0.22, v * 0.3) - 0.3 * crack;
    }
    case Material::Flesh: {
      const double c = cells_.Near.Sample(u * 0.45, v * 0.45);
      return 1.0 - Smoothstep(0.0, 0.9, c) + 0.12 * fine_.Sample(u * 2.2, v * 2.2);
    }
    case Material::Bone: {
      // Ribs that bend and thicken, pitted with pores in patches.
      const double bend = 8.0 * warp_.Sample(u * 0.25, v * 0.25);
      const double pitch = 0.06 + 0.06 * warp_.Sample(u * 0.1 + 40, v * 0.1);
      const double ribs = std::sqrt(0.5 + 0.5 * std::sin(u * pitch + v * 0.03 + bend));
      const double pitted = Smoothstep(0.5, 0.6, fine_.Sample(u * 0.2 + 90, v * 0.2));
      const double pore = Smoothstep(0.0, 0.16, cells_.Near.Sample(u * 1.3, v * 1.3));
      return 0.6 * ribs + 0.2 * fine_.Sample(u * 1.5, v * 1.5) - 0.35 * pitted * (1 - pore);
    }
    case Material::Scales: {
      const double c = cells_.Near.Sample(u * 0.9, v * 0.9);
      return (1.0 - Smoothstep(0.0, 0.8, c)) * Smoothstep(0.0, 0.05, cells_.Edge.Sample(u * 0.9, v * 0.9));
    }
    case Material::Vines: {
      return ridged_.Sample(u * 0.22, v * 0.22) + 0.08 * fine_.Sample(u * 3, v * 3);
    }
    default:
      return 0;
  }
}

MapPainter::Shade MapPainter::PaintLayer(const Layer& layer, double u, double v) const {
  // Relief: the slope of the height towards the upper left, as if lit from there; measured on one side only,
  // from the height `h` already known here, since the maps are large and every sample counts.
  auto relief = [&](double k, double h) { return 2 * k * (h - Height(layer.Kind, u + 1.2, v + 1.2)); };
  switch (layer.Kind) {
    case Material::Rock: {
      const double h = Height(layer.Kind, u, v);
      const double strata = 0.5 + 0.5 * std::sin(v * 0.06 + 5.0 * fine_.Sample(u * 0.3, v * 0.3));
      return {0.5 + 1.3 * (h - 0.45) + 0.1 * strata + relief(6.0, h), 1};
    }
    case Material::Flesh: {
      const double h = Height(layer.Kind, u, v);
      const double crease = Smoothstep(0.0, 0.1, cells_.Edge.Sample(u * 0.45, v * 0.45));
      return {(0.12 + 0.55 * h + relief(4.0, h)) * (0.5 + 0.5 * crease), 1};
    }
    case Material::Veins: {
      const double r = ridged_.Sample(u * 0.7, v * 0.7);
      return {0.3 + 0.7 * Clamp01((r - 0.74) / 0.26), Smoothstep(0.74, 0.8, r)};
    }
    case Material::Cracks: {
      // Glowing fissures: some cell borders, jittered, with a hot core and a dim halo.
      const double ju = u + 10.0 * (fine_.Sample(u * 1.1 + 30, v * 1.1) - 0.5);
      const double jv = v + 10.0 * (fine_.Sample(u * 1.1, v * 1.1 + 60) - 0.5);
      const double reach = Smoothstep(0.42, 0.55, fine_.Sample(u * 0.12 + 700, v * 0.12 + 100));
      const double e = bigCells_.Edge.Sample(ju * 0.3, jv * 0.3) / std::max(reach, 0.05);
      return {1.0 - 0.8 * Clamp01(e / 0.06) - 0.15 * fine_.Sample(u * 2, v * 2),
              reach > 0.05 && e < 0.06 ? 1.0 : 0.0};
    }
    case Material::Crystal: {
      const double value = bigCells_.Value.Sample(u * 0.9, v * 0.9);
      const double facet = Clamp01(bigCells_.Facet.Sample(u * 0.9, v * 0.9));
      const double edge = bigCells_.Edge.Sample(u * 0.9, v * 0.9);
      double s = 0.12 + 0.35 * value + 0.45 * facet * facet + 0.1 * fine_.Sample(u * 3, v * 3);
      if (edge < 0.05) s = 0.75 + 0.25 * (1 - edge / 0.05);
      return {s, 1};
    }
    case Material::Fire: {
      const double sway = 60.0 * (warp_.Sample(u * 0.3, v * 0.1) - 0.5);
      const double t = fine_.Sample((u + sway) * 0.9, v * 0.22);
      const double flicker = fine_.Sample(u * 2.2, v * 0.8);
      return {Clamp01(Smoothstep(0.3, 0.9, t) * 0.85 + 0.25 * flicker), 1};
    }
    case Material::Bone: {
      const double h = Height(layer.Kind, u, v);
      return {0.3 + 0.55 * h + relief(3.0, h), 1};
    }
    case Material::Scales: {
      const double h = Height(layer.Kind, u, v);
      return {0.08 + 0.7 * h + relief(3.0, h), 1};
    }
    case Material::Lava: {
      const double t = fine_.Sample(u * 0.4 + 20 * warp_.Sample(u * 0.2, v * 0.2), v * 0.4);
      return {0.3 + 0.7 * t * t, 1};
    }
    case Material::Vines: {
      const double r = Height(layer.Kind, u, v);
      const double alpha = Smoothstep(0.7, 0.76, r);
      if (alpha < 0.5) return {0, alpha};  // not shown: spare the relief
      return {0.2 + 0.6 * Clamp01((r - 0.7) / 0.3) + relief(4.0, r), alpha};
    }
  }
  return {0.5, 1};
}

uint8_t MapPainter::PaintUnseen(int x, int y) const {
  return palette_.Index(layers_.front().Ramp, 0.1 + 0.35 * fine_.Sample(x * 0.4, y * 0.4), x, y);
}

uint8_t MapPainter::Paint(int x, int y, float distance) const {
  // A slow warp shared by all layers makes the surfaces flow rather than sit on a grid.
  const double wx = x + 70.0 * (warp_.Sample(x * 0.11, y * 0.11) - 0.5);
  const double wy = y + 70.0 * (warp_.Sample(x * 0.11 + 173, y * 0.11 + 91) - 0.5);
  // The topmost layer that shows here is the one painted: look from the top down and stop there.
  int ramp = layers_.front().Ramp;
  double shade = 0.5;
  for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer) {
    double cover = 1;
    if (layer->Threshold >= 0) {
      const double r =
          region_.Sample((x + layer->OffsetX) * kRegionStretch, (y + layer->OffsetY) * kRegionStretch);
      cover = Smoothstep(layer->Threshold, layer->Threshold + 0.03, r);
      if (cover <= 0) continue;
    }
    const Shade s = PaintLayer(*layer, wx * layer->InvScale, wy * layer->InvScale);
    const double alpha = s.Alpha * cover;
    if (alpha < 0.5) continue;
    ramp = layer->Ramp;
    // A layer's border darkens a little, so patches read as separate things.
    shade = s.Value * (0.75 + 0.25 * Smoothstep(0.5, 0.7, alpha));
    break;
  }
  shade *= 0.5 + 0.5 * std::exp(-distance / 140.0);
  shade += rim_ * std::exp(-distance / 5.0);
  return palette_.Index(ramp, Clamp01(shade), x, y);
}

}  // namespace wispen::stagegen
