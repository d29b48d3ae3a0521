#include "ReplayStore.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "data/FileIo.h"
#include "paths/XdgDirs.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/Recorder.h"

namespace fs = std::filesystem;

namespace wispen {

namespace {

constexpr const char* kExtension = ".script";

int PointsOf(const std::string& entry) {
  const size_t comma = entry.rfind(',');
  if (comma == std::string::npos) return 0;
  try {
    return std::stoi(entry.substr(comma + 1));
  } catch (const std::exception&) {
    return 0;
  }
}

}  // namespace

std::string ReplayDirectory(const EnvLookup& env) {
  return XdgStateHome(env) + "/wispen/replays";
}

std::string ReplayFileName(const std::tm& local, int stage, int points) {
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d-%02d-%02d_stage%d_%dpts", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, stage, points);
  return text;
}

int GamePoints(const StateList& before, const StateList& after) {
  std::vector<std::string> old;
  for (const auto& [name, value] : before)
    if (name.rfind("HighScores.", 0) == 0) old.push_back(value);
  int best = 0;
  for (const auto& [name, value] : after) {
    if (name.rfind("HighScores.", 0) != 0) continue;
    const auto same = std::find(old.begin(), old.end(), value);
    if (same != old.end()) {
      old.erase(same);  // an entry that was there before
    } else {
      best = std::max(best, PointsOf(value));
    }
  }
  return best;
}

void WriteFileAtomically(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".tmp";
  try {
    ByteFile file(temporary, ByteFile::Mode::Create);
    file.Write(text.data(), text.size());
    file.Close();
    ReplaceFile(temporary, path);
  } catch (const IoError&) {
    DeleteFileQuietly(temporary);
    throw;
  }
  SyncDirectoryOf(path);
}

std::string KeepReplay(const std::string& dir, const std::string& name, const std::string& text,
                       size_t keep) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) throw IoError("cannot make the directory " + dir + ": " + ec.message());
  std::string path = dir + "/" + name + kExtension;
  for (int n = 2; fs::exists(path, ec); ++n) path = dir + "/" + name + "-" + std::to_string(n) + kExtension;
  WriteFileAtomically(path, text);

  std::vector<fs::path> kept;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    if (entry.path().extension() == kExtension && entry.is_regular_file(ec)) kept.push_back(entry.path());
  }
  if (kept.size() <= keep) return path;
  // The names begin with the date and time, so the oldest sort first. "-2" sorts before "_" as it should.
  std::sort(kept.begin(), kept.end());
  for (size_t i = 0; i + keep < kept.size(); ++i) fs::remove(kept[i], ec);
  return path;
}

}  // namespace wispen

namespace wispen {

namespace {

std::string ValueOf(const StateList& state, const std::string& name) {
  for (const auto& [n, value] : state)
    if (n == name) return value;
  return "";
}

int IntOf(const StateList& state, const std::string& name, int fallback) {
  try {
    return std::stoi(ValueOf(state, name));
  } catch (const std::exception&) {
    return fallback;
  }
}

}  // namespace

void SaveRecording(const Recorder& recorder, const StateList& before, const StateList& after,
                   const Platform& platform, const std::string* file, const std::string& keepDir) {
  RecordingHeader header;
  header.Lang = platform.LanguageId() == 0x0411 ? "ja" : "en";
  header.SkipOpening = platform.SkipOpening();
  header.SpeedFactor = std::max(1, IntOf(after, "SpeedFactor", 1));
  const std::string text = recorder.Text(header);
  try {
    if (file != nullptr) {
      WriteFileAtomically(*file, text);
      return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    KeepReplay(keepDir, ReplayFileName(local, IntOf(after, "CurrentStage", 0), GamePoints(before, after)),
               text);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wispen: warning: the game's recording was not kept: %s\n", e.what());
  }
}

}  // namespace wispen
