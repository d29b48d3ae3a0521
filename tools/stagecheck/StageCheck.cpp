// wispen_stagecheck: searches each stage for a flight from the soul's start to the goal and reports the
// stage's figures; can write each flight as a script for the headless game and a picture of it.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FlightScript.h"
#include "GameFrameSource.h"
#include "OwnFrameSource.h"
#include "StageReport.h"
#include "core/Bytes.h"
#include "core/ProbeOffsets.h"
#include "formats/Png.h"

namespace {

using namespace wispen;

int Usage() {
  std::fprintf(
      stderr,
      "usage: wispen_stagecheck [--data DIR] [--stage N]... [--max-move PX] [--scripts DIR] [--preview DIR]\n"
      "                         [--frame TICK]... [--pinches] [--own] [--flight-only]\n"
      "  Searches each stage (all ten by default) for a flight and prints a table of the figures. The "
      "frames\n"
      "  come from the game's own stage loading and composition; --own reads the files the checker's way.\n"
      "  --flight-only searches for the flight alone, at no margin, and leaves the figures out.\n"
      "  Fails when a stage has no flight or one that reaches the gate only on the path's last steps.\n");
  return 2;
}

// The map shrunk four times, with the flight's soul centres drawn over it.
void WriteFlightPicture(const stagecheck::StageData& data, const stagecheck::Flight& flight,
                        const std::string& path) {
  constexpr int kShrink = 4;
  TBitmap picture(data.Map.Width() / kShrink, data.Map.Height() / kShrink);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) picture.At(x, y) = data.Map.At(x * kShrink, y * kShrink);
  }
  for (size_t t = 0; t < flight.Mouse.size(); ++t) {
    const TPoint view = t == 0 ? data.File.ViewStart : data.File.PathPoints[t];
    const int x = (view.X + flight.Mouse[t].X + 19) / kShrink,
              y = (view.Y + flight.Mouse[t].Y + 19) / kShrink;
    picture.Canvas().SetPixel(x, y, RGB(0, 255, 255));
  }
  formats::WritePreviewPng(picture, path);
}

// The play window at a tick as the checker composed it, with the flight's ring of probes drawn in cyan; for a
// stage without a flight, the mouse points still reachable before it got stuck, in magenta.
void WriteFramePicture(stagecheck::FrameSource& frames, const stagecheck::Flight& flight, int tick,
                       const std::string& path) {
  TBitmap view;
  frames.Compose(tick, view);
  if (!flight.Found) {
    for (int y = 0; y < view.Height(); ++y) {
      for (int x = 0; x < view.Width(); ++x) {
        if (flight.Stranded.Get(x, y)) view.At(x, y) = RGB(255, 0, 255);
      }
    }
  } else if (tick < static_cast<int>(flight.Mouse.size())) {
    const TPoint m = flight.Mouse[tick];
    for (const TPoint& p : ProbeOffsets) view.Canvas().SetPixel(m.X + p.X, m.Y + p.Y, RGB(0, 255, 255));
  }
  formats::WritePreviewPng(view, path);
}

// The game directory is the one that holds Data/.
std::string GameDirOf(const std::string& dataDir) {
  std::filesystem::path p(dataDir);
  if (p.filename().empty()) p = p.parent_path();
  return p.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
  std::string dataDir = WISPEN_DEFAULT_DATA_DIR;
  std::string scripts, previews;
  int maxMove = 24;
  bool pinches = false;
  bool own = false;
  bool flightOnly = false;
  std::vector<int> frameTicks;
  std::vector<int> stages;
  for (int i = 1; i < argc; ++i) {
    const bool more = i + 1 < argc;
    if (!std::strcmp(argv[i], "--data") && more) {
      dataDir = argv[++i];
    } else if (!std::strcmp(argv[i], "--stage") && more) {
      stages.push_back(std::atoi(argv[++i]));
    } else if (!std::strcmp(argv[i], "--max-move") && more) {
      maxMove = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--scripts") && more) {
      scripts = argv[++i];
    } else if (!std::strcmp(argv[i], "--frame") && more) {
      frameTicks.push_back(std::atoi(argv[++i]));
    } else if (!std::strcmp(argv[i], "--own")) {
      own = true;
    } else if (!std::strcmp(argv[i], "--flight-only")) {
      flightOnly = true;
    } else if (!std::strcmp(argv[i], "--pinches")) {
      pinches = true;
    } else if (!std::strcmp(argv[i], "--preview") && more) {
      previews = argv[++i];
    } else {
      return Usage();
    }
  }
  if (maxMove < 1) return Usage();
  if (stages.empty()) {
    for (int n = 1; n <= 10; ++n) stages.push_back(n);
  }
  bool allFlown = true;
  std::printf("Move limit %d px a tick.\n\n%s", maxMove, stagecheck::ReportHeading().c_str());
  for (int n : stages) {
    try {
      const stagecheck::StageData data = stagecheck::LoadStageData(dataDir, n);
      // The game's own loading and composition, so that the search sees what the hit test sees; --own uses
      // the checker's reading of the files instead, to compare the two.
      std::unique_ptr<stagecheck::FrameSource> source;
      if (own) {
        source = std::make_unique<stagecheck::OwnFrameSource>(data);
      } else {
        source = std::make_unique<stagecheck::GameFrameSource>(GameDirOf(dataDir), n);
      }
      stagecheck::FrameSource& frames = *source;
      stagecheck::FlightSearch search(frames);
      const stagecheck::StageReport report =
          flightOnly ? stagecheck::CheckFlightOnly(n, data.File.ObstacleCount, search, maxMove)
                     : stagecheck::CheckStage(n, data.File.ObstacleCount, search, maxMove);
      std::printf("%s", stagecheck::ReportRow(report).c_str());
      if (pinches && !flightOnly) std::fprintf(stderr, "%s", stagecheck::ReportPinches(report).c_str());
      std::fflush(stdout);
      allFlown = allFlown && report.Flight.Found;
      if (report.Flight.Found && !stagecheck::ArrivesWithTimeToSpare(report)) {
        std::fprintf(stderr,
                     "wispen_stagecheck: stage %d: the flight reaches the gate only at tick %d of %d\n", n,
                     report.Flight.Arrival, report.PathLength);
        allFlown = false;
      }
      if (!report.Flight.Found) {
        if (!previews.empty()) {
          const int stuck = report.Flight.FailedAt;
          WriteFramePicture(frames, report.Flight, stuck,
                            previews + "/stuck" + std::to_string(n) + "-" + std::to_string(stuck) + ".png");
        }
        continue;
      }
      if (!scripts.empty()) {
        const std::string text = stagecheck::FlightScript(report.Flight, n);
        WriteFileBytes(scripts + "/flight" + std::to_string(n) + ".txt",
                       std::vector<uint8_t>(text.begin(), text.end()));
      }
      if (!previews.empty()) {
        WriteFlightPicture(data, report.Flight, previews + "/flight" + std::to_string(n) + ".png");
        for (int tick : frameTicks) {
          WriteFramePicture(frames, report.Flight, tick,
                            previews + "/frame" + std::to_string(n) + "-" + std::to_string(tick) + ".png");
        }
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "wispen_stagecheck: stage %d: %s\n", n, e.what());
      allFlown = false;
    }
  }
  return allFlown ? 0 : 1;
}
