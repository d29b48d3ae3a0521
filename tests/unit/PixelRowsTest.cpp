#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/PixelRows.h"

namespace wispen {
namespace {

// Every scale the window may use, with row lengths around the four-pixel steps, matches the plain reading of
// what a widened row is; and a streamed copy lands wherever its destination starts.
TEST(PixelRows, AWidenedRowRepeatsEachPixelAndAStreamedCopyIsACopy) {
  std::vector<uint32_t> source(23);
  for (size_t i = 0; i < source.size(); ++i) source[i] = 0xA1B2C3D4u * static_cast<uint32_t>(i + 1);
  for (bool swap : {false, true}) {
    for (int scale = 1; scale <= 6; ++scale) {
      for (int count : {0, 1, 3, 4, 5, 8, 23}) {
        std::vector<uint32_t> out(static_cast<size_t>(count) * scale + 1, 7), want(out.size(), 7);
        for (int i = 0; i < count * scale; ++i) {
          const uint32_t p = source[i / scale];
          want[i] = swap ? ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF) : p;
        }
        WidenRow(source.data(), count, scale, swap, out.data());
        EXPECT_EQ(out, want) << "scale " << scale << ", " << count << " pixels, swap " << swap;
      }
    }
  }
  for (size_t start = 0; start < 5; ++start) {
    std::vector<uint32_t> to(source.size() + 8, 7), want = to;
    std::copy(source.begin(), source.end(), want.begin() + start);
    StreamRow(to.data() + start, source.data(), source.size());
    StreamedRowsDone();
    EXPECT_EQ(to, want) << "from pixel " << start;
  }
}

}  // namespace
}  // namespace wispen
