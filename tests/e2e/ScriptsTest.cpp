// Runs every script in the scripts folder through the real game binary, headless, each in a game directory
// of its own. A script's header lines "#! KEY VALUE" say how to set the run up and what must hold after it:
//   #! data built | sounds | stage N [key=value ...]  what Data/ holds (built: the game's own data;
//                                                     sounds: small effects and music); may repeat
//   #! lang en | ja                   the language (default en)
//   #! env NAME=VALUE                 an environment variable of the run (LANG=ja_JP.UTF-8); may repeat
//   #! info HEX                       Info.Dat before the run, as hex bytes
//   #! remove FILE                    a file of the game directory removed before the run
//   #! mkdir DIR                      a directory made in the game directory before the run (with parents)
//   #! exit N                         the expected exit status (default 0)
//   #! log TEXT                       the event log holds this event, after the ones named before it
//   #! nolog TEXT                     the event log holds no event that contains TEXT
//   #! info-after HEX | SIZE N        Info.Dat after the run
//   #! absent FILE                    no such file in the game directory after the run
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TestStage.h"

namespace fs = std::filesystem;

namespace wispen {
namespace {

std::vector<std::string> ScriptNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(WISPEN_SCRIPTS_DIR)) {
    if (entry.path().extension() == ".script") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string Unhex(std::string hex) {
  hex.erase(std::remove_if(hex.begin(), hex.end(), ::isspace), hex.end());
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

testing::TestStage ParseStage(std::istringstream& words) {
  testing::TestStage s;
  words >> s.Number;
  for (std::string kv; words >> kv;) {
    const auto eq = kv.find('=');
    const std::string key = kv.substr(0, eq), value = kv.substr(eq + 1);
    auto ints = [&](int count) {
      std::vector<int> v;
      std::stringstream in(value);
      for (std::string part; std::getline(in, part, ',');) v.push_back(std::stoi(part));
      if (static_cast<int>(v.size()) != count) throw std::invalid_argument("bad " + kv);
      return v;
    };
    if (key == "length")
      s.PathLength = std::stoi(value);
    else if (key == "step")
      s.StepX = std::stoi(value);
    else if (key == "obstacles")
      s.ObstacleCount = std::stoi(value);
    else if (key == "period")
      s.StepPeriod = std::stoi(value);
    else if (key == "count")
      s.StepCount = std::stoi(value);
    else if (key == "soul") {
      auto v = ints(2);
      s.SoulStart = {v[0], v[1]};
    } else if (key == "view") {
      auto v = ints(2);
      s.ViewStart = {v[0], v[1]};
    } else if (key == "goal") {
      auto v = ints(4);
      s.GoalRect = {v[0], v[1], v[2], v[3]};
    } else if (key == "corridor") {
      auto v = ints(4);
      s.Corridor = {v[0], v[1], v[2], v[3]};
    } else
      throw std::invalid_argument("unknown stage key " + key);
  }
  return s;
}

class Scripts : public ::testing::TestWithParam<std::string> {};

TEST_P(Scripts, Run) {
  const fs::path script = fs::path(WISPEN_SCRIPTS_DIR) / (GetParam() + ".script");
  // The process id keeps two test runs (say the plain and the sanitised build) out of each other's way.
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("wispen_e2e_" + GetParam() + "_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "Data");

  std::string lang = "en";
  std::string environment;
  int expectedExit = 0;
  std::vector<std::string> logLines, noLog;
  std::optional<std::string> infoAfter;
  std::optional<uintmax_t> infoAfterSize;
  std::vector<std::string> absent;
  std::istringstream lines(ReadFile(script));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("#! ", 0) != 0) continue;
    std::istringstream words(line.substr(3));
    std::string key;
    words >> key;
    std::string rest;
    std::getline(words >> std::ws, rest);
    if (key == "data") {
      std::istringstream what(rest);
      std::string kind;
      what >> kind;
      if (kind == "built") {
        fs::copy(WISPEN_BUILT_DATA, dir / "Data",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
      } else if (kind == "stage") {
        testing::WriteTestStage(dir.string(), ParseStage(what));
      } else if (kind == "sounds") {
        testing::WriteTestSounds(dir.string());
      }
    } else if (key == "lang") {
      lang = rest;
    } else if (key == "env") {
      environment += "'" + rest + "' ";
    } else if (key == "info") {
      std::ofstream(dir / "Data" / "Info.Dat", std::ios::binary) << Unhex(rest);
    } else if (key == "remove") {
      fs::remove(dir / rest);
    } else if (key == "mkdir") {
      fs::create_directories(dir / rest);
    } else if (key == "exit") {
      expectedExit = std::stoi(rest);
    } else if (key == "log") {
      logLines.push_back(rest);
    } else if (key == "nolog") {
      noLog.push_back(rest);
    } else if (key == "absent") {
      absent.push_back(rest);
    } else if (key == "info-after") {
      if (rest.rfind("SIZE ", 0) == 0) {
        infoAfterSize = std::stoull(rest.substr(5));
      } else {
        infoAfter = Unhex(rest);
      }
    }
  }

  const fs::path log = dir / "events.log";
  const std::string command = "cd '" + dir.string() + "' && env " + environment +
                              "'" WISPEN_BINARY "' --headless --game-dir . --lang " + lang + " --script '" +
                              script.string() + "' --log events.log 2> stderr.txt";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << "the game did not exit normally";
  EXPECT_EQ(WEXITSTATUS(raw), expectedExit) << ReadFile(dir / "stderr.txt");

  // Events are matched without their clock unless the expectation starts with one.
  const std::string events = ReadFile(log);
  std::istringstream eventLines(events);
  size_t next = 0;
  for (std::string e; std::getline(eventLines, e) && next < logLines.size();) {
    const std::string& want = logLines[next];
    const bool timed = !want.empty() && std::isdigit(static_cast<unsigned char>(want[0]));
    const std::string text = timed ? e : e.substr(e.find(' ') + 1);
    if (text == want) ++next;
  }
  EXPECT_EQ(next, logLines.size()) << "missing from the event log (in order): "
                                   << (next < logLines.size() ? logLines[next] : "") << "\nlog:\n"
                                   << events;
  for (const std::string& bad : noLog)
    EXPECT_EQ(events.find(bad), std::string::npos) << bad << "\nlog:\n" << events;
  if (infoAfter) {
    EXPECT_EQ(Hex(ReadFile(dir / "Data" / "Info.Dat")), Hex(*infoAfter));
  }
  if (infoAfterSize) {
    EXPECT_EQ(fs::file_size(dir / "Data" / "Info.Dat"), *infoAfterSize);
  }
  for (const std::string& file : absent) EXPECT_FALSE(fs::exists(dir / file)) << file << " is still there";
  if (!HasFailure()) fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(E2E, Scripts, ::testing::ValuesIn(ScriptNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace wispen
