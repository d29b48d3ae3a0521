// The game's message boxes in real windows under the X server: drawn in the game's fonts, centred on its
// window, answered with a real key.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SdlTestSupport.h"
#include "platform/MessageBoxDialog.h"
#include "sdl/SdlImageCodec.h"
#include "sdl/SdlPlatform.h"
#include "sdl/SdlTextEngine.h"

namespace wispen {
namespace {

constexpr const char* kTitle = "Wispen Version 1";

// Answers the next `count` boxes with Return as a player would, from a process of its own (xdotool), after
// taking a picture of the screen (xwd) into `shot`.N for box N when `shot` is given.
class BoxAnswerer {
 public:
  BoxAnswerer(int count, const std::string& dir, const std::string& shot = "") : done_(dir + "/answered") {
    const std::string boxes =
        "[ \"$(xdotool search --onlyvisible --name '^Wispen Version 1$' | wc -l)\" -ge 2 ]";
    std::string script = "xdotool mousemove 360 270; for i in $(seq " + std::to_string(count) +
                         "); do until " + boxes + "; do sleep 0.05; done; sleep 0.3; ";
    if (!shot.empty()) script += "xwd -root -silent >'" + shot + ".'$i; ";
    script += "echo $i >>'" + done_ + "'; xdotool key Return; while " + boxes + "; do sleep 0.05; done; done";
    std::ofstream(dir + "/answer.sh") << script << "\n";
    std::system(("sh '" + dir + "/answer.sh' & echo $! >'" + dir + "/answer.pid'").c_str());
    std::ifstream(dir + "/answer.pid") >> pid_;
  }
  ~BoxAnswerer() {
    if (pid_ > 0) kill(pid_, SIGTERM);
  }
  int Boxes() const {
    std::ifstream in(done_);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
  }

 private:
  std::string done_;
  pid_t pid_ = 0;
};

// The screen in an xwd file: its header's fields are big-endian 32-bit words, its pixels three or four bytes
// each, blue first (the X server's byte order here).
TBitmap ReadXwd(const std::string& path, int left, int top, int width, int height) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto word = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return v;
  };
  if (bytes.size() < 100) return TBitmap();
  const size_t pixelBytes = word(44) / 8;  // 3 or 4
  if (pixelBytes < 3 || pixelBytes > 4) return TBitmap();
  const size_t pixels = word(0) + word(76) * 12;  // after the header and the colour map
  const size_t stride = word(48);
  TBitmap out(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t at =
          pixels + static_cast<size_t>(top + y) * stride + static_cast<size_t>(left + x) * pixelBytes;
      if (at + 2 >= bytes.size()) return TBitmap();
      out.At(x, y) = RGB(static_cast<unsigned char>(bytes[at + 2]), static_cast<unsigned char>(bytes[at + 1]),
                         static_cast<unsigned char>(bytes[at]));
    }
  }
  return out;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Fixture {
  Fixture() : platform(PlatformBase::Settings{}, SdlPlatform::Options{1}, text, codec) {
    // Keys go to the window under the pointer when no window manager gives focus: the answerer puts it in
    // the middle of the game's window, where the boxes come up.
    SDL_SetWindowPosition(platform.Window(), 40, 30);
    std::filesystem::create_directories(dir);
    log = dir + "/events.log";
    platform.Log().Open(log);
    app.SetMainWindow(&game);
  }
  ~Fixture() { std::filesystem::remove_all(dir); }

  SdlTextEngine text;
  SdlImageCodec codec;
  SdlPlatform platform;
  test::FakeGame game;
  Application app{platform};
  std::string dir = ::testing::TempDir() + "wispen_boxes_" + std::to_string(getpid());
  std::string log;
};

bool HaveTools() {
  return std::system("command -v xdotool >/dev/null && command -v xwd >/dev/null") == 0;
}

TEST(SdlMessageBox, JapaneseTextShowsInTheGamesOwnBoxCentredOnItsWindow) {
  if (!HaveTools()) GTEST_SKIP() << "xdotool and xwd play the player here (scripts/install-deps.sh)";
  Fixture f;
  const std::string message =
      "Data/Effect00.Dat\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x81\x8C\xE3\x81\x82"
      "\xE3\x82\x8A\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93";  // ...ファイルがありません
  const MessageBoxDialog expected(f.text, 0x0411, kTitle, message, MessageIcon::Error,
                                  MessageBoxDialog::Buttons::Ok);
  const TSize size = expected.ClientSize();
  const int left = 40 + (640 - size.cx) / 2, top = 30 + (480 - size.cy) / 2;
  f.game.onShow = [&] {
    BoxAnswerer answerer(1, f.dir, f.dir + "/screen.xwd");
    f.platform.ShowMessage(kTitle, message, MessageIcon::Error);
    EXPECT_EQ(answerer.Boxes(), 1);
    f.platform.CloseMainWindow();
  };
  EXPECT_EQ(f.platform.Run(f.app, nullptr), 0);
  const TBitmap seen = ReadXwd(f.dir + "/screen.xwd.1", left, top, size.cx, size.cy);

  // The text, letter for letter as the game's text engine draws it in the box's font, where the box puts it.
  ASSERT_FALSE(seen.Empty());
  TBitmap reference(size.cx, size.cy, clSilver);
  reference.Canvas().SetTextEngine(&f.text);
  reference.Canvas().Font = MessageBoxDialog::TextFont();
  const TPoint at = expected.TextOrigin();
  reference.Canvas().TextOut(at.X, at.Y, message);
  const TSize extent = reference.Canvas().TextExtent(message);
  int ink = 0, wrong = 0;
  for (int y = at.Y; y < at.Y + extent.cy; ++y) {
    for (int x = at.X; x < at.X + extent.cx; ++x) {
      ink += reference.At(x, y) != clSilver;
      wrong += seen.At(x, y) != reference.At(x, y);
    }
  }
  EXPECT_GT(ink, 200);
  EXPECT_EQ(wrong, 0);
  const TColor icon = seen.At(12 + 16, 12 + 6);  // the error icon's red disc, above its cross
  EXPECT_GT(icon & 0xFF, 150u);
  EXPECT_LT((icon >> 8) & 0xFF, 80u);
  EXPECT_NE(ReadAll(f.log).find(std::string(" message ") + kTitle + "|" + message + "\n"), std::string::npos);
}

}  // namespace
}  // namespace wispen
