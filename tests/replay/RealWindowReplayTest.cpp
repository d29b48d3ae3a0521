// The game in a real window under a virtual X server, played with a real X pointer (xdotool): the recording
// it makes replays on virtual time and in the window to the same end, and every game is kept.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "CloseRequest.h"
#include "support/TestStage.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace wispen {
namespace {

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, p) != nullptr) out += buffer;
    pclose(p);
  }
  return out;
}

int Occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char c : bytes) {
    char two[3];
    std::snprintf(two, sizeof two, "%02x", c);
    hex += two;
  }
  return hex;
}

void CloseWindow(unsigned long window) {
  ASSERT_TRUE(test::RequestClose(window));
}

class RealWindowReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
    if (std::system("command -v xdotool >/dev/null") != 0)
      GTEST_SKIP() << "xdotool is missing (scripts/install-deps.sh installs it)";
    root_ = fs::path(::testing::TempDir()) /
            ("wispen_replay_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "_" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "state");
  }
  void TearDown() override {
    if (pid_ > 0) kill(pid_, SIGKILL);
    if (!HasFailure() && !root_.empty()) fs::remove_all(root_);
  }

  // The game's data; with `seen`, the progress of a player who has seen the opening once, so Esc may cut it
  // short.
  fs::path GameDir(const std::string& name, bool seen = true) {
    const fs::path dir = root_ / name;
    fs::create_directories(dir / "Data");
    fs::copy(WISPEN_BUILT_DATA, dir / "Data",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    testing::WriteTestSounds(dir.string());
    if (!seen) return dir;
    if (seen_.empty()) {
      std::ofstream(root_ / "first.script") << "until MenuMode 1 60000\nclose\n";
      if (Headless(dir, root_ / "first.script") != 0) ADD_FAILURE() << ReadFile(root_ / "headless.out");
      seen_ = ReadFile(dir / "Data" / "Info.Dat");
    } else {
      std::ofstream(dir / "Data" / "Info.Dat", std::ios::binary) << seen_;
    }
    return dir;
  }

  // Starts the game in its window, its log and its output in files of the run's name.
  void Start(const std::string& name, const std::vector<std::string>& options) {
    log_ = root_ / (name + ".log");
    std::vector<std::string> args = {WISPEN_BINARY, "--lang", "en", "--log", log_.string()};
    args.insert(args.end(), options.begin(), options.end());
    const std::string out = (root_ / (name + ".out")).string();
    pid_ = fork();
    ASSERT_GE(pid_, 0);
    if (pid_ == 0) {
      setenv("XDG_STATE_HOME", (root_ / "state").c_str(), 1);
      setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);  // no player's settings file
      if (!freopen(out.c_str(), "w", stdout) || !freopen(out.c_str(), "a", stderr)) _exit(120);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    const std::string id =
        Shell("timeout 30 xdotool search --sync --onlyvisible --name '^Wispen Version 1$' | head -1");
    ASSERT_FALSE(id.empty()) << "the window did not show";
    window_ = std::stoul(id);
  }

  int Finish() {
    int raw = 0;
    for (int i = 0; i < 1500; ++i) {  // a replay in the window takes as long as the game did
      if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
      }
      std::this_thread::sleep_for(100ms);
    }
    ADD_FAILURE() << "the game did not end";
    return -1;
  }

  void Pointer(int x, int y, bool click = false) {
    const std::string command = "xdotool mousemove --window " + std::to_string(window_) + " " +
                                std::to_string(x) + " " + std::to_string(y) + (click ? " click 1" : "");
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  void Key(const std::string& name) {
    const std::string command = "xdotool key --window " + std::to_string(window_) + " " + name;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Waits until the event log holds `count` events that contain `what`.
  bool AwaitLog(const std::string& what, int count, std::chrono::seconds limit = 20s) {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
      if (Occurrences(ReadFile(log_), what) >= count) return true;
      std::this_thread::sleep_for(50ms);
    }
    return false;
  }

  // The title menu, New Game, a flight lost against the stone frame, Again, a few seconds of steering
  // (`variant` picks the path), a second loss, and Exit (variant 3: the window's close box instead).
  void PlayAGame(int variant) {
    // Esc cuts the opening short; it ends with an effect, and then the title menu is there.
    Pointer(300, 200);
    for (int tries = 0; tries < 10 && !AwaitLog("effect play", 1, 1s); ++tries) Key("Escape");
    ASSERT_TRUE(AwaitLog("effect play", 1, 2s)) << "the opening did not end";
    std::this_thread::sleep_for(300ms);
    for (int tries = 0; tries < 10 && !AwaitLog("warp", 1, 2s); ++tries) Pointer(400, 320, true);  // New Game
    ASSERT_TRUE(AwaitLog("warp", 1, 1s)) << "the stage did not start";
    std::this_thread::sleep_for(1500ms);
    Pointer(130, 30);  // into the stone frame
    ASSERT_TRUE(AwaitLog("cursor shown", 1)) << "the soul was not lost";
    std::this_thread::sleep_for(3s);  // the burst, then the menu
    Pointer(200, 320, true);          // Again
    ASSERT_TRUE(AwaitLog("warp", 2)) << "Again did not start the stage";
    std::this_thread::sleep_for(800ms);
    for (int step = 0; step < 8; ++step) {
      Pointer(130 + 3 * step * variant, 170 + (step % 2 == 0 ? variant : -variant));
      std::this_thread::sleep_for(350ms);
    }
    Pointer(130, 30);
    ASSERT_TRUE(AwaitLog("cursor shown", 2)) << "the soul was not lost again";
    std::this_thread::sleep_for(3s);
    if (variant == 3) {
      CloseWindow(window_);  // the close box at the after-loss menu
    } else {
      Pointer(400, 320, true);  // Exit: the game closes its window
    }
  }

  int Headless(const fs::path& game, const fs::path& script) {
    const std::string command = "'" WISPEN_BINARY "' --headless --game-dir '" + game.string() +
                                "' --script '" + script.string() + "' >>'" +
                                (root_ / "headless.out").string() + "' 2>&1";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  fs::path root_;
  fs::path log_;
  pid_t pid_ = -1;
  unsigned long window_ = 0;
  std::string seen_;  // Info.Dat after a first run
};

TEST_F(RealWindowReplay, ARecordedGameReplaysToTheSameEndHeadlessAndInTheWindow) {
  const fs::path played = GameDir("played");
  const fs::path recording = root_ / "game.script";
  Start("played", {"--game-dir", played.string(), "--record", recording.string()});
  int variant = 1;
  if (const char* v = std::getenv("WISPEN_RECORDING_VARIANT")) variant = std::atoi(v);
  PlayAGame(variant);
  if (HasFatalFailure()) return;
  ASSERT_EQ(Finish(), 0) << ReadFile(root_ / "played.out");
  const std::string text = ReadFile(recording);
  ASSERT_NE(text.find("expect SoulsUsed 2"), std::string::npos) << text;
  const std::string progress = ReadFile(played / "Data" / "Info.Dat");
  ASSERT_FALSE(progress.empty());

  const fs::path again = GameDir("again");
  EXPECT_EQ(Headless(again, recording), 0) << ReadFile(root_ / "headless.out");
  EXPECT_EQ(ReadFile(again / "Data" / "Info.Dat"), progress) << "the replay's progress file differs";

  // One move of the second flight put into the stone frame: the replay goes another way and says so.
  const size_t flight = text.rfind("press left 200 320");
  const size_t move = text.find("\nmove ", flight);
  ASSERT_NE(move, std::string::npos);
  std::string shifted = text;
  shifted.replace(move + 1, shifted.find('\n', move + 1) - move - 1, "move 130 30");
  std::ofstream(root_ / "shifted.script") << shifted;
  EXPECT_EQ(Headless(GameDir("shifted"), root_ / "shifted.script"), 3);
  EXPECT_NE(ReadFile(root_ / "headless.out").find("expect"), std::string::npos);

  const fs::path watched = GameDir("watched");
  Start("watched", {"--game-dir", watched.string(), "--replay", recording.string()});
  EXPECT_EQ(Finish(), 0) << ReadFile(root_ / "watched.out");
  EXPECT_EQ(ReadFile(watched / "Data" / "Info.Dat"), progress);
  EXPECT_TRUE(fs::is_empty(root_ / "state")) << "a recorded or replayed game is not kept again";

  // Makes the regression replays of tests/e2e/scripts: WISPEN_SAVE_RECORDING=FILE.
  if (const char* save = std::getenv("WISPEN_SAVE_RECORDING")) {
    std::ofstream(save) << "#! data built\n#! data sounds\n#! info " << Hex(seen_) << "\n#! info-after "
                        << Hex(progress) << "\n"
                        << text;
  }
}

TEST_F(RealWindowReplay, EveryGameIsKeptAndTheFiftyFirstRemovesTheOldest) {
  const fs::path kept = root_ / "state" / "wispen" / "replays";
  fs::create_directories(kept);
  for (int i = 0; i < 50; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "2000-01-01_00-00-%02d_stage1_0pts.script", i);
    std::ofstream(kept / name) << "wait 1\n";
  }
  const fs::path game = GameDir("game", false);
  Start("game", {"--game-dir", game.string()});
  std::this_thread::sleep_for(1s);
  Pointer(300, 200);
  std::this_thread::sleep_for(500ms);
  CloseWindow(window_);
  ASSERT_EQ(Finish(), 0);

  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kept)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 50u);
  EXPECT_EQ(names.front(), "2000-01-01_00-00-01_stage1_0pts.script");
  const std::string newest = names.back();
  EXPECT_EQ(newest.rfind("20", 0), 0u);
  EXPECT_NE(newest.find("_stage1_0pts"), std::string::npos) << newest;
  EXPECT_EQ(Headless(GameDir("replayed", false), kept / newest), 0) << ReadFile(root_ / "headless.out");

  // A directory that cannot be written costs one warning line, never the game.
  fs::remove_all(root_ / "state");
  std::ofstream(root_ / "state") << "not a directory";
  Start("blocked", {"--game-dir", game.string()});
  std::this_thread::sleep_for(500ms);
  CloseWindow(window_);
  EXPECT_EQ(Finish(), 0);
  const std::string out = ReadFile(root_ / "blocked.out");
  EXPECT_EQ(Occurrences(out, "warning"), 1) << out;
  fs::remove(root_ / "state");
}

}  // namespace
}  // namespace wispen
