// Builds one stage's data files from its description: Data/StageP<n>.Dat (the map) and Data/Stage<n>.Dat (the
// path file).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

#include "AnimaSource.h"
#include "Preview.h"
#include "StageBuilder.h"
#include "formats/Bmp.h"
#include "formats/DataFile.h"
#include "formats/Png.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: wispen_mkstage STAGE.txt ANIMA.txt OUT_DIR [--stage N] [--track] [--preview FILE.png "
               "[--scale N | "
               "--region X Y W H]]\n");
  return 2;
}

// Where each stretch of the path begins and which way the soul's ideal flight runs in its middle: what a
// stage maker needs to place obstacles.
void PrintTrack(const wispen::stagegen::StageDesc& desc, const wispen::stagegen::Track& track) {
  int index = 0;
  auto print = [&](const wispen::stagegen::SegmentDesc& s, const char* part) {
    const int mid = std::min(index + s.Steps / 2, track.Length);
    const wispen::stagegen::Vec2 d = track.Direction(mid);
    std::printf("line %3d  %s  path %4d..%4d  middle %4d runs %+.2f %+.2f  width %.0f\n", s.Line, part, index,
                index + s.Steps, mid, d.x, d.y, track.Width[mid]);
    index += s.Steps;
  };
  for (const auto& s : desc.Flight) print(s, "flight");
  std::printf("gate at path %d\n", track.GoalIndex);
  for (const auto& s : desc.Tail) print(s, "tail  ");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace wispen;
  if (argc < 4) return Usage();
  std::string preview;
  int scale = 8;
  int expected = 0;
  bool listTrack = false;
  TRect region{};
  for (int i = 4; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--stage") && i + 1 < argc) {
      expected = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--track")) {
      listTrack = true;
    } else if (!std::strcmp(argv[i], "--preview") && i + 1 < argc) {
      preview = argv[++i];
    } else if (!std::strcmp(argv[i], "--scale") && i + 1 < argc) {
      scale = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--region") && i + 4 < argc) {
      region = Bounds(std::atoi(argv[i + 1]), std::atoi(argv[i + 2]), std::atoi(argv[i + 3]),
                      std::atoi(argv[i + 4]));
      i += 4;
    } else {
      return Usage();
    }
  }
  try {
    const stagegen::StageDesc desc = stagegen::LoadStageDesc(argv[1]);
    if (expected != 0 && desc.Stage != expected) {
      throw std::runtime_error(std::string(argv[1]) + " describes stage " + std::to_string(desc.Stage) +
                               ", not stage " + std::to_string(expected));
    }
    const auto animas = stagegen::LoadAnimaList(argv[2]);
    const stagegen::BuiltStage stage = stagegen::BuildStage(desc, animas);
    if (listTrack) PrintTrack(desc, stage.Track);
    const std::string dir = std::string(argv[3]) + "/";
    const std::string n = std::to_string(desc.Stage);
    formats::WriteDataFile(dir + "StageP" + n + ".Dat", formats::EncodeBmp8(stage.Map), DataKind::Bitmap);
    WriteFileBytes(dir + "Stage" + n + ".Dat", EncodeStageFile(stage.File));
    if (!preview.empty()) {
      formats::WritePreviewPng(region.Width() > 0 ? stagegen::CropForPreview(stage.Map, region)
                                                  : stagegen::ShrinkForPreview(stage.Map, scale),
                               preview);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wispen_mkstage: %s\n", e.what());
    return 1;
  }
  return 0;
}
