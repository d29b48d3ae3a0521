#include "TestStage.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "stage/StageContent.h"

namespace wispen::testing {

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

// A plain 24-bit bottom-up BMP of 0x00BBGGRR pixels, with the "BM" overwritten as the data files store it.
void WriteStoredBmp(const std::string& file, int w, int h, const std::vector<uint32_t>& pixels) {
  const int rowSize = (w * 3 + 3) & ~3;
  std::vector<uint8_t> b(54 + static_cast<size_t>(rowSize) * h, 0);
  b[0] = 'x';
  b[1] = 'y';
  Put32(b, 2, static_cast<int32_t>(b.size()));
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, w);
  Put32(b, 22, h);
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < h; ++y) {
    uint8_t* row = &b[54 + static_cast<size_t>(h - 1 - y) * rowSize];
    for (int x = 0; x < w; ++x) {
      const uint32_t c = pixels[static_cast<size_t>(y) * w + x];
      row[3 * x] = static_cast<uint8_t>(c >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(c);
    }
  }
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<long>(b.size()));
}

}  // namespace

void WriteHugeBmp(const std::string& file, int width, int height) {
  std::vector<uint8_t> b(64, 0);
  b[0] = 'x';
  b[1] = 'y';
  Put32(b, 2, 64);
  Put32(b, 10, 62);
  Put32(b, 14, 40);
  Put32(b, 18, width);
  Put32(b, 22, height);
  b[26] = 1;
  b[28] = 8;
  b[30] = 1;  // run-length, 8 bits a pixel
  Put32(b, 34, 2);
  Put32(b, 46, 2);  // two colours: black and white
  Put32(b, 58, 0xFFFFFF);
  b[63] = 1;  // 0, 1: the end of the picture
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), 64);
}

std::vector<uint32_t> TestStageMap(const TestStage& s) {
  std::vector<uint32_t> map(static_cast<size_t>(s.MapWidth) * s.MapHeight);
  for (int y = 0; y < s.MapHeight; ++y) {
    for (int x = 0; x < s.MapWidth; ++x) {
      const bool free =
          x >= s.Corridor.Left && x < s.Corridor.Right && y >= s.Corridor.Top && y < s.Corridor.Bottom;
      map[static_cast<size_t>(y) * s.MapWidth + x] =
          free ? 0 : 0x00306090 + static_cast<uint32_t>((x + y) % 7);
    }
  }
  map[0] = StageCheckColour(s.Number);
  return map;
}

std::vector<std::string> WriteTestStage(const std::string& gameDir, const TestStage& s) {
  const std::string data = gameDir + "/Data/";
  std::filesystem::create_directories(data);
  const std::string mapFile = data + "StageP" + std::to_string(s.Number) + ".Dat";
  const std::string pathFile = data + "Stage" + std::to_string(s.Number) + ".Dat";
  WriteStoredBmp(mapFile, s.MapWidth, s.MapHeight, TestStageMap(s));

  std::vector<uint8_t> b(kStagePathFileSize, 0);
  for (int i = 0; i < 20; ++i) Put32(b, 4 * i, -1);
  if (s.ObstacleCount > 0) Put32(b, 0, 1);  // slot 0 from anima 1
  Put32(b, 320, s.ObstacleCount);
  for (int k = 0; k < 30; ++k) {
    const size_t at = 324 + 1220 * static_cast<size_t>(k);
    Put32(b, at, k < s.ObstacleCount ? 0 : -1);
    if (k >= s.ObstacleCount) continue;
    for (int step = 0; step < 100; ++step) {
      Put32(b, at + 4 + 4 * step, 300 + 60 * k);
      Put32(b, at + 404 + 4 * step, 110 + 40 * step % 160);
      Put32(b, at + 804 + 4 * step, 0);
    }
    Put32(b, at + 1204, 20);
    Put32(b, at + 1208, 20);
    Put32(b, at + 1212, s.StepPeriod);
    Put32(b, at + 1216, s.StepCount);
  }
  Put32(b, 36924, s.ViewStart.X);
  Put32(b, 36928, s.ViewStart.Y);
  Put32(b, 36932, s.SoulStart.X);
  Put32(b, 36936, s.SoulStart.Y);
  Put32(b, 36940, s.GoalRect.Left);
  Put32(b, 36944, s.GoalRect.Top);
  Put32(b, 36948, s.GoalRect.Right);
  Put32(b, 36952, s.GoalRect.Bottom);
  Put32(b, 36956, s.PathLength);
  for (int i = 0; i < 4000; ++i) {
    const int step = std::min(i, s.PathLength);
    Put32(b, 36960 + 8 * static_cast<size_t>(i), s.ViewStart.X + s.StepX * step);
    Put32(b, 36964 + 8 * static_cast<size_t>(i), s.ViewStart.Y);
  }
  std::ofstream(pathFile, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<long>(b.size()));
  std::vector<std::string> written{mapFile, pathFile};

  if (s.ObstacleCount > 0) {
    // One 20x20 frame: the mask row (black block) above the colour row (red block).
    const std::vector<uint32_t> strip(20 * 40, 0);
    std::vector<uint32_t> pixels = strip;
    for (int y = 20; y < 40; ++y)
      for (int x = 0; x < 20; ++x) pixels[static_cast<size_t>(y) * 20 + x] = 0x0000FF;
    if (s.HugeStrip.cx > 0) {
      WriteHugeBmp(data + "AnimaP1.Dat", s.HugeStrip.cx, s.HugeStrip.cy);
    } else {
      WriteStoredBmp(data + "AnimaP1.Dat", 20, 40, pixels);
    }
    std::vector<uint8_t> record(12, 0);
    std::ofstream(data + "Anima1.Dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(record.data()), 12);
    written.push_back(data + "AnimaP1.Dat");
    written.push_back(data + "Anima1.Dat");
  }
  return written;
}

void WriteTestSounds(const std::string& gameDir) {
  const std::string data = gameDir + "/Data/";
  std::filesystem::create_directories(data);
  // 16-bit mono 22,050 Hz, 100 samples of a square wave; the signature bytes overwritten.
  std::vector<uint8_t> wave(44 + 200, 0);
  const char* head = "xxxx....xxxxxxx ";
  std::copy(head, head + 16, wave.begin());
  Put32(wave, 4, static_cast<int32_t>(wave.size() - 8));
  Put32(wave, 16, 16);
  wave[20] = 1;
  wave[22] = 1;
  Put32(wave, 24, 22050);
  Put32(wave, 28, 44100);
  wave[32] = 2;
  wave[34] = 16;
  std::copy_n("data", 4, wave.begin() + 36);
  Put32(wave, 40, 200);
  for (size_t i = 44; i < wave.size(); i += 2) wave[i + 1] = (i / 20) % 2 ? 0x20 : 0xE0;
  // Format 0, one track, 96 ticks a quarter: one note and the end of the track.
  const std::vector<uint8_t> midi = {'x', 'x', 'x', 'x',  0,   0,   0, 6,    0,    0,  0, 1,
                                     0,   96,  'x', 'x',  'x', 'x', 0, 0,    0,    12, 0, 0x90,
                                     60,  100, 96,  0x80, 60,  0,   0, 0xFF, 0x2F, 0};
  for (int n = 0; n < 4; ++n) {
    std::ofstream(data + "Effect0" + std::to_string(n) + ".Dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(wave.data()), static_cast<long>(wave.size()));
    std::ofstream(data + "Effect1" + std::to_string(n) + ".Dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(midi.data()), static_cast<long>(midi.size()));
  }
}

}  // namespace wispen::testing
