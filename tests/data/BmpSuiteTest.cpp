#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "sdl/SdlImageCodec.h"

namespace wispen {
namespace {

const std::string kSuite = WISPEN_BMPSUITE_DIR;

// One line of the suite's manifest: a BMP file and the reference pictures, any one of which is right.
struct SuiteCase {
  std::string bmp;
  std::vector<std::string> references;
};

void PrintTo(const SuiteCase& c, std::ostream* os) {
  *os << c.bmp;
}

std::vector<SuiteCase> ReadManifest() {
  std::vector<SuiteCase> cases;
  std::ifstream in(kSuite + "/manifest.tsv");
  std::string line;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    if (line.empty() || tab == std::string::npos) continue;
    SuiteCase c{line.substr(0, tab), {}};
    std::stringstream refs(line.substr(tab + 1));
    for (std::string ref; std::getline(refs, ref, ',');) c.references.push_back(ref);
    cases.push_back(c);
  }
  return cases;
}

// A picture's difference from a reference: empty when they agree pixel for pixel in red, green and blue.
std::string Difference(const TBitmap& got, const TBitmap& want) {
  if (got.Width() != want.Width() || got.Height() != want.Height()) {
    return "size " + std::to_string(got.Width()) + "x" + std::to_string(got.Height()) + ", reference " +
           std::to_string(want.Width()) + "x" + std::to_string(want.Height());
  }
  int wrong = 0;
  std::ostringstream first;
  for (int y = 0; y < got.Height(); ++y) {
    for (int x = 0; x < got.Width(); ++x) {
      if (got.At(x, y) == want.At(x, y)) continue;
      if (wrong++ == 0) {
        first << std::hex << " first at (" << std::dec << x << ", " << y << "): 0x" << std::hex
              << got.At(x, y) << ", reference 0x" << want.At(x, y);
      }
    }
  }
  return wrong == 0 ? "" : std::to_string(wrong) + " pixels differ;" + first.str();
}

class BmpSuiteTest : public ::testing::TestWithParam<SuiteCase> {};

TEST_P(BmpSuiteTest, DecodesToItsReference) {
  SdlImageCodec codec;
  const SuiteCase& c = GetParam();
  const TBitmap picture = codec.Load(kSuite + "/good/" + c.bmp);
  std::string differences;
  for (const std::string& ref : c.references) {
    const std::string difference = Difference(picture, codec.Load(kSuite + "/reference/" + ref));
    if (difference.empty()) return;
    differences += "\n  " + ref + ": " + difference;
  }
  ADD_FAILURE() << c.bmp << " matches no reference:" << differences;
}

INSTANTIATE_TEST_SUITE_P(Good, BmpSuiteTest, ::testing::ValuesIn(ReadManifest()),
                         [](const ::testing::TestParamInfo<SuiteCase>& info) {
                           std::string name = info.param.bmp.substr(0, info.param.bmp.rfind('.'));
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

TEST(BmpSuiteManifestTest, NamesEveryGoodFile) {
  // A picture added to the suite without a line in the manifest would go untested.
  std::vector<std::string> listed;
  for (const SuiteCase& c : ReadManifest()) listed.push_back(c.bmp);
  std::vector<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(kSuite + "/good")) {
    present.push_back(entry.path().filename().string());
  }
  std::sort(listed.begin(), listed.end());
  std::sort(present.begin(), present.end());
  EXPECT_EQ(listed, present);
  EXPECT_EQ(listed.size(), 27u);
}

}  // namespace
}  // namespace wispen
