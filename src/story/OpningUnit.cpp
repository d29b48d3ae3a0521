#include "OpningUnit.h"

#include "core/Playfield.h"
#include "platform/Language.h"
#include "platform/Platform.h"
#include "play/FaceNames.h"
#include "play/Forms.h"
#include "play/MainUnit.h"
#include "play/OutlinedText.h"

namespace wispen {

namespace {

const std::vector<std::string> kJapaneseLines = {
    "\xE9\xAD\x94\xE7\x95\x8C\xE3\x81\xA7\xE3\x81\x95\xE8\xBF\xB7\xE3\x81\x86\xE9\xAD\x82\xE3\x82\x92\xE3\x80"
    "\x81"
    "\xE3\x83\x9E\xE3\x82\xA6\xE3\x82\xB9\xE3\x81\xA7\xE6\x93\x8D\xE3\x82\x8A",  // 魔界でさ迷う魂を、マウスで操り
    "\xE5\xA4\xA9\xE7\x95\x8C\xE3\x81\xAB\xE5\xB0\x8E\xE3\x81\x91\xE3\x80\x82\xE3\x81\x95\xE3\x82\x8C\xE3\x81"
    "\xA9"
    "\xE9\xAD\x94\xE7\x95\x8C\xE3\x81\xAB\xE8\xA7\xA6\xE3\x82\x8C\xE3\x82\x8C",  // 天界に導け。されど魔界に触れれ
    "\xE3\x81\xB0\xE5\x9C\xB0\xE7\x8D\x84\xE3\x81\xAB\xE8\x90\xBD\xE3\x81\x99\xEF\xBC\x81",  // ば地獄に落す！
};

const std::vector<std::string> kEnglishLines = {
    "Soul that is lost in the demon world.",
    "It manipulates with a mouse and guide",
    "in the heavens.  It is made oh in the hell",
    "when it touches in the demon world however.",
};

constexpr int kFirstLineY = 128;
constexpr int kLineStep = 36;

struct DevilPlacement {
  int16_t X, Y, Picture;
};

// The devil rises from below the play window to its centre and changes its expression.
constexpr std::array<DevilPlacement, 15> kOpeningDevilPath{{{184, 352, 0},
                                                            {244, 316, 0},
                                                            {308, 292, 0},
                                                            {316, 248, 0},
                                                            {312, 220, 0},
                                                            {292, 208, 0},
                                                            {280, 230, 0},
                                                            {280, 230, 0},
                                                            {280, 230, 0},
                                                            {280, 230, 6},
                                                            {280, 230, 6},
                                                            {280, 230, 6},
                                                            {280, 230, 6},
                                                            {280, 230, 6},
                                                            {280, 230, 7}}};

TFont OpeningFont(bool japanese) {
  TFont f;
  f.Name = japanese ? kGothicFace : "Arial";
  f.Size = japanese ? 16 : 12;
  f.Bold = true;
  return f;
}

}  // namespace

std::vector<std::string> Utf8Characters(const std::string& text) {
  std::vector<std::string> out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t len = lead < 0x80           ? 1
                 : (lead >> 5) == 0x6  ? 2
                 : (lead >> 4) == 0xE  ? 3
                 : (lead >> 3) == 0x1E ? 4
                                       : 1;
    if (i + len > text.size()) len = text.size() - i;
    out.push_back(text.substr(i, len));
    i += len;
  }
  return out;
}

TOpningForm::TOpningForm(Forms& forms) : OpningTimer(forms.platform.Timers(), 1000), forms_(forms) {
  OpningTimer.OnTimer = [this] { OpningTimerTimer(); };
}

bool TOpningForm::Japanese() const {
  return IsJapanese(forms_.platform.LanguageId());
}

const OpeningScript& TOpningForm::Script() const {
  return Japanese() ? JapaneseScript : EnglishScript;
}

void TOpningForm::FormCreate() {
  TMainForm& main = *forms_.MainForm;
  DevilRect = TRect{0, 0, main.DevilImageList.Width(), main.DevilImageList.Height()};
  DevilSave = TBitmap(DevilRect.Right, DevilRect.Bottom);

  const bool japanese = Japanese();
  OpningTimer.SetInterval(japanese ? 300 : 150);
  main.BackBuffer->Canvas().Font = OpeningFont(japanese);
  if (japanese) {
    BuildScript(JapaneseScript, kJapaneseLines, kJapaneseLines[0]);
  } else {
    BuildScript(EnglishScript, kEnglishLines, kEnglishLines[3]);
  }
  OpningTimer.Tag = 0;

  const TBitmap blank(100, 100, clWhite);
  Image1.Picture = blank;
  Image2.Picture = blank;
}

// Every line starts at the x that centres the reference line in the view; each character is placed by the
// widths of the characters before it, measured one at a time.
void TOpningForm::BuildScript(OpeningScript& script, const std::vector<std::string>& lines,
                              const std::string& reference) {
  TCanvas& canvas = forms_.MainForm->BackBuffer->Canvas();
  script.clear();
  script.push_back(OpeningStep{});
  const int x0 = CentredInView(canvas.TextWidth(reference));
  int y = kFirstLineY;
  for (const std::string& line : lines) {
    int x = x0;
    for (const std::string& ch : Utf8Characters(line)) {
      script.push_back(
          OpeningStep{OpeningStepKind::Character, static_cast<int16_t>(x), static_cast<int16_t>(y), 0, ch});
      x += canvas.TextWidth(ch);
    }
    y += kLineStep;
  }
  for (const DevilPlacement& d : kOpeningDevilPath)
    script.push_back(OpeningStep{OpeningStepKind::Devil, d.X, d.Y, d.Picture, ""});
  script.push_back(OpeningStep{OpeningStepKind::End, 0, 0, 0, ""});
}

void TOpningForm::OpningTimerTimer() {
  TMainForm& main = *forms_.MainForm;
  const OpeningScript& script = Script();
  const int index = OpningTimer.Tag;
  const OpeningStep end{OpeningStepKind::End, 0, 0, 0, ""};
  const OpeningStep& s = index >= 0 && index < static_cast<int>(script.size()) ? script[index] : end;
  TCanvas& canvas = main.BackBuffer->Canvas();
  switch (s.Kind) {
    case OpeningStepKind::Start:
      main.PlayMusic(0);
      main.LoadEffect(0);
      OpningTimer.SetInterval(1500);
      break;
    case OpeningStepKind::Character:
      OutlinedText(canvas, s.X, s.Y, s.Text, RGB(0, 0, 255), RGB(255, 0, 0), DiagonalsFromTopLeft(1));
      OpningTimer.SetInterval(300);
      break;
    case OpeningStepKind::Devil: {
      OpningTimer.SetInterval(100);
      if (index > 0 && script[index - 1].Kind == OpeningStepKind::Devil) {
        const OpeningStep& before = script[index - 1];
        canvas.StretchBlt(Bounds(before.X, before.Y, DevilRect.Right, DevilRect.Bottom), DevilSave, DevilRect,
                          SRCCOPY);
      }
      DevilSave.Canvas().StretchBlt(DevilRect, *main.BackBuffer,
                                    Bounds(s.X, s.Y, DevilRect.Right, DevilRect.Bottom), SRCCOPY);
      main.DevilImageList.Draw(canvas, s.X, s.Y, s.Picture);
      break;
    }
    case OpeningStepKind::End:
      main.DrawMenu(1);
      main.PlayEffect();
      OpningTimer.SetEnabled(false);
      break;
  }
  main.PresentView();
  OpningTimer.Tag = OpningTimer.Tag + 1;
}

void TOpningForm::SkipToEnd() {
  // Each remaining tick in turn, so the picture, the timer and the sounds end as the whole opening leaves
  // them.
  while (OpningTimer.Enabled()) OpningTimerTimer();
}

// Only the seconds and milliseconds of the measured time count: a measurement of a minute and five seconds
// gives a fast machine. Kept as it is, since the stored factor of every player was found this way.
void TOpningForm::CalibrateSpeed() {
  const Clock& clock = forms_.platform.GetClock();
  const LocalTime t0 = clock.Now();
  const TRect whole{0, 0, 100, 100};
  Image1.Picture.Canvas().CopyMode = SRCCOPY;
  for (int i = 0; i < 10001; ++i) Image1.Picture.Canvas().CopyRect(whole, Image2.Picture.Canvas(), whole);
  const LocalTime t1 = clock.Now();
  auto ms = [](const LocalTime& t) {
    return ((static_cast<int64_t>(t.Hour) * 60 + t.Minute) * 60 + t.Second) * 1000 + t.Millisecond;
  };
  int64_t diff = ms(t1) - ms(t0);
  if (diff < 0) diff += 24LL * 3600 * 1000;  // past midnight
  const int64_t seconds = diff / 1000 % 60;
  const int64_t v = seconds * 1000 + diff % 1000;
  forms_.MainForm->SpeedFactor = forms_.platform.ReplaySpeedFactor().value_or(v >= 10000 ? 2 : 1);
}

}  // namespace wispen
