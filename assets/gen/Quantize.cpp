#include "Quantize.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <stdexcept>

namespace wispen::art {

namespace {

struct Entry {
  std::array<int, 3> rgb;
  int count;
};

struct BoxRange {
  int channel;
  int spread;
};

BoxRange Widest(const std::vector<Entry>& box) {
  BoxRange best{0, -1};
  for (int c = 0; c < 3; ++c) {
    int lo = 255, hi = 0;
    for (const Entry& e : box) {
      lo = std::min(lo, e.rgb[c]);
      hi = std::max(hi, e.rgb[c]);
    }
    if (hi - lo > best.spread) best = {c, hi - lo};
  }
  return best;
}

uint32_t Average(const std::vector<Entry>& box) {
  std::array<int64_t, 3> sum{};
  int64_t n = 0;
  for (const Entry& e : box) {
    for (int c = 0; c < 3; ++c) sum[c] += static_cast<int64_t>(e.rgb[c]) * e.count;
    n += e.count;
  }
  std::array<uint32_t, 3> v{};
  for (int c = 0; c < 3; ++c) v[c] = static_cast<uint32_t>((sum[c] + n / 2) / n);
  uint32_t packed = v[0] | v[1] << 8 | v[2] << 16;
  return packed == 0 ? 0x010101u : packed;  // the average of colours that are not black is not black
}

std::array<int, 3> Split(uint32_t c) {
  return {static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16 & 0xFF)};
}
uint32_t Joined(const std::array<int, 3>& v) {
  return static_cast<uint32_t>(v[0] | v[1] << 8 | v[2] << 16);
}

}  // namespace

void Quantize(Picture& picture, int limit) {
  if (limit < 2 || limit > 256) throw std::invalid_argument("palette limit out of range");
  // Black pixels inside, and everything outside, keep their own entries.
  bool hasOutside = false, hasBlack = false;
  std::map<uint32_t, int> counts;
  for (size_t i = 0; i < picture.colour.size(); ++i) {
    if (!picture.inside[i]) {
      hasOutside = true;
    } else if (picture.colour[i] == 0) {
      hasBlack = true;
    } else {
      ++counts[picture.colour[i]];
    }
  }
  const int budget = limit - (hasOutside ? 1 : 0) - (hasBlack ? 1 : 0);
  if (static_cast<int>(counts.size()) <= budget) return;

  std::vector<std::vector<Entry>> boxes(1);
  for (const auto& [colour, n] : counts) boxes[0].push_back({Split(colour), n});
  while (static_cast<int>(boxes.size()) < budget) {
    // Split the box whose widest channel spread, weighted by its pixel count, is largest.
    int pick = -1;
    int64_t pickScore = 0;
    for (size_t b = 0; b < boxes.size(); ++b) {
      if (boxes[b].size() < 2) continue;
      int64_t pixels = 0;
      for (const Entry& e : boxes[b]) pixels += e.count;
      const int64_t score = static_cast<int64_t>(Widest(boxes[b]).spread) * pixels;
      if (pick < 0 || score > pickScore) {
        pick = static_cast<int>(b);
        pickScore = score;
      }
    }
    if (pick < 0) break;
    std::vector<Entry>& box = boxes[pick];
    const int channel = Widest(box).channel;
    std::sort(box.begin(), box.end(), [channel](const Entry& a, const Entry& b) {
      return a.rgb[channel] != b.rgb[channel] ? a.rgb[channel] < b.rgb[channel]
                                              : Joined(a.rgb) < Joined(b.rgb);
    });
    int64_t total = 0, half = 0;
    for (const Entry& e : box) total += e.count;
    size_t cut = 1;
    for (size_t i = 0; i + 1 < box.size(); ++i) {
      half += box[i].count;
      cut = i + 1;
      if (half * 2 >= total) break;
    }
    std::vector<Entry> upper(box.begin() + static_cast<ptrdiff_t>(cut), box.end());
    box.resize(cut);
    boxes.push_back(std::move(upper));
  }

  std::map<uint32_t, uint32_t> replacement;
  for (const auto& box : boxes) {
    const uint32_t average = Average(box);
    for (const Entry& e : box) replacement[Joined(e.rgb)] = average;
  }
  for (size_t i = 0; i < picture.colour.size(); ++i) {
    if (picture.inside[i] && picture.colour[i] != 0) picture.colour[i] = replacement.at(picture.colour[i]);
  }
}

void QuantizeTogether(std::vector<Picture>& pictures, int limit) {
  if (pictures.empty()) return;
  Picture all{"together", pictures.front().width, 0, true, {}, {}};
  for (const Picture& p : pictures) {
    if (p.width != all.width) throw std::invalid_argument("pictures quantized together differ in width");
    all.height += p.height;
    all.colour.insert(all.colour.end(), p.colour.begin(), p.colour.end());
    all.inside.insert(all.inside.end(), p.inside.begin(), p.inside.end());
  }
  Quantize(all, limit);
  size_t at = 0;
  for (Picture& p : pictures) {
    std::copy(all.colour.begin() + static_cast<std::ptrdiff_t>(at),
              all.colour.begin() + static_cast<std::ptrdiff_t>(at + p.colour.size()), p.colour.begin());
    at += p.colour.size();
  }
}

Indexed ToIndexed(const Picture& picture) {
  Indexed out;
  std::map<uint32_t, uint8_t> index;
  out.indices.reserve(picture.colour.size());
  for (size_t i = 0; i < picture.colour.size(); ++i) {
    const uint32_t key = picture.colour[i] | (picture.inside[i] ? kInsideBit : 0);
    auto it = index.find(key);
    if (it == index.end()) {
      if (out.palette.size() == 256) throw std::runtime_error(picture.name + " has more than 256 colours");
      it = index.emplace(key, static_cast<uint8_t>(out.palette.size())).first;
      out.palette.push_back(key);
    }
    out.indices.push_back(it->second);
  }
  return out;
}

}  // namespace wispen::art
