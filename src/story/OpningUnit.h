#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Timer.h"

namespace wispen {

struct Forms;

// One step of the opening, shown by one tick.
struct OpeningStep {
  int16_t Kind = 0;  // 0 start, 1 character, 2 devil picture, 3 (or anything else) end
  int16_t X = 0;
  int16_t Y = 0;
  int16_t Picture = 0;
  std::string Text;  // one character (UTF-8) for a character step
};

constexpr int kOpeningScriptSize = 200;
using OpeningScript = std::vector<OpeningStep>;

// The opening's holder: its timer, the two calibration pictures, the devil's saved background and the
// scripts of the story.
class TOpningForm {
 public:
  explicit TOpningForm(Forms& forms);

  void FormCreate();
  void OpningTimerTimer();
  // Runs the opening's remaining steps at once: the title menu as the opening leaves it, its music going on.
  void SkipToEnd();
  // Measures how fast pictures copy and sets the speed factor (1, or 2 on a slow machine).
  void CalibrateSpeed();

  // The script of the current language.
  const OpeningScript& Script() const;

  TTimer OpningTimer;
  TImage Image1;
  TImage Image2;
  TBitmap DevilSave;
  TRect DevilRect;
  OpeningScript JapaneseScript;
  OpeningScript EnglishScript;

 private:
  bool Japanese() const;
  void BuildScript(OpeningScript& script, const std::vector<std::string>& lines,
                   const std::string& reference);

  Forms& forms_;
};

// Splits UTF-8 text into its characters.
std::vector<std::string> Utf8Characters(const std::string& text);

}  // namespace wispen
