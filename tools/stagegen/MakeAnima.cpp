// Builds the obstacle picture strips and their records from the anima list: Data/AnimaP<id>.Dat and
// Data/Anima<id>.Dat for every listed anima.
#include <cstdio>
#include <exception>
#include <string>

#include "AnimaPainter.h"
#include "AnimaSource.h"
#include "Preview.h"
#include "core/StageFile.h"
#include "formats/Bmp.h"
#include "formats/DataFile.h"
#include "formats/Png.h"

int main(int argc, char** argv) {
  using namespace wispen;
  if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--preview")) {
    std::fprintf(stderr, "usage: wispen_mkanima ANIMA.txt OUT_DIR [--preview DIR]\n");
    return 2;
  }
  try {
    const std::string dir = std::string(argv[2]) + "/";
    for (const stagegen::AnimaDesc& a : stagegen::LoadAnimaList(argv[1])) {
      const std::string id = std::to_string(a.Id);
      const formats::IndexedImage strip = stagegen::PaintAnimaStrip(a);
      formats::WriteDataFile(dir + "AnimaP" + id + ".Dat", formats::EncodeBmp8(strip), DataKind::Bitmap);
      if (argc == 5) {
        formats::WritePreviewPng(stagegen::CropForPreview(strip, Bounds(0, 0, strip.Width, strip.Height)),
                                 std::string(argv[4]) + "/anima" + id + ".png");
      }
      WriteFileBytes(dir + "Anima" + id + ".Dat", EncodeAnimaRecord({a.FrameWidth, a.FrameHeight, a.Frames}));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wispen_mkanima: %s\n", e.what());
    return 1;
  }
  return 0;
}
