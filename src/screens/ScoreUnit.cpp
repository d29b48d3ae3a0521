#include "ScoreUnit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/GameState.h"
#include "platform/Bevel.h"
#include "platform/Language.h"
#include "platform/Platform.h"
#include "play/FaceNames.h"
#include "play/Forms.h"
#include "play/MainUnit.h"

namespace wispen {

namespace {

constexpr std::array<int, kScoreColumns> kColumnWidths{38, 100, 100, 100, 100};
constexpr int kRowHeight = 35;
constexpr TPoint kGridOrigin{11, 11};
constexpr TRect kOkButton{344, 240, 344 + 97, 240 + 29};
constexpr TColor kShadow = 0x808080;

// Points are computed in extended precision, dividing first: they never take part in the ranking.
// A souls-used count read from a damaged progress file can make the divisor 0 or the result huge; such points
// are held to what a score can store instead of ending the game over half-way.
int32_t Points(int stage, int conquest, int use) {
  const long double point = (100.0L * stage + conquest) / (static_cast<long double>(use) + 1) * 10;
  if (std::isnan(point)) return 0;
  return static_cast<int32_t>(std::clamp<long double>(point, INT32_MIN, INT32_MAX));
}

}  // namespace

std::string PadNumber(int number, int width) {
  const std::string padded = std::string(9, ' ') + std::to_string(number);
  if (width >= static_cast<int>(padded.size())) return padded;
  return padded.substr(padded.size() - static_cast<size_t>(width));
}

void InsertHighScore(std::array<ScoreEntry, 10>& table, int stage, int conquest, int use) {
  for (size_t i = 0; i < table.size(); ++i) {
    const ScoreEntry& e = table[i];
    const bool better = stage > e.Stage || (stage == e.Stage && conquest > e.Conquest) ||
                        (stage == e.Stage && conquest == e.Conquest && use < e.Use);
    if (!better) continue;
    for (size_t j = table.size() - 1; j > i; --j) table[j] = table[j - 1];
    table[i] = ScoreEntry{stage, conquest, use, Points(stage, conquest, use)};
    return;
  }
}

TScoreForm::TScoreForm(Forms& forms) : forms_(forms) {}

void TScoreForm::FormCreate() {
  const bool japanese = IsJapanese(forms_.platform.LanguageId());
  if (japanese) {
    FontName = kPGothicFace;
    caption_ = "\xE3\x82\xB9\xE3\x82\xB3\xE3\x82\xA2\xE3\x83\xBC";  // スコアー
    for (int r = 1; r <= 5; ++r) Cells[0][r] = std::to_string(r) + ".";
    Cells[1][0] = "\xE3\x82\xB9\xE3\x83\x86\xE3\x83\xBC\xE3\x82\xB8";  // ステージ
    Cells[2][0] = "  \xE6\x94\xBB\xE7\x95\xA5";                        // "  攻略"
    Cells[3][0] = "\xE4\xBD\xBF\xE7\x94\xA8\xE6\x95\xB0";              // 使用数
    Cells[4][0] = "\xE5\xBE\x97\xE7\x82\xB9";                          // 得点
  } else {
    FontName = "Arial";
    caption_ = "Score Board";
    for (int r = 1; r <= 5; ++r) Cells[0][r] = std::to_string(r);
    Cells[1][0] = "Stage";
    Cells[2][0] = "Conquest";
    Cells[3][0] = "   Use";
    Cells[4][0] = "Point";
  }
}

// A row whose entry is empty keeps what an earlier show put there: entries only move down during a run.
void TScoreForm::FormShow() {
  const auto& table = forms_.MainForm->HighScores;
  for (int i = 0; i < 5; ++i) {
    const ScoreEntry& e = table[i];
    if (e.Stage <= 0) continue;
    Cells[1][i + 1] = PadNumber(e.Stage, 4);
    Cells[2][i + 1] = PadNumber(e.Conquest, 6);
    Cells[3][i + 1] = PadNumber(e.Use, 6);
    Cells[4][i + 1] = PadNumber(e.Point, 5);
  }
}

void TScoreForm::ShowModal() {
  FormShow();
  forms_.platform.ShowModal(*this);
}

void TScoreForm::Paint(TCanvas& c) {
  c.BrushColor = clSilver;
  c.FillRect(TRect{0, 0, 466, 296});
  Bevel(c, TRect{10, 10, 456, 286}, kShadow, clWhite);  // the panel's lowered inner bevel
  c.Font.Name = FontName;
  c.Font.Size = 15;  // 20 pixels of character height
  c.Font.Bold = true;
  c.Font.Color = clBlack;
  int x = kGridOrigin.X;
  for (int col = 0; col < kScoreColumns; ++col) {
    for (int row = 0; row < kScoreRows; ++row) {
      if (!Cells[col][row].empty()) c.TextOut(x + 2, kGridOrigin.Y + row * kRowHeight + 2, Cells[col][row]);
    }
    x += kColumnWidths[col];
  }
  // The OK button, raised, sunken while pressed, with its tick.
  c.BrushColor = clSilver;
  c.FillRect(kOkButton);
  Bevel(c, kOkButton, okPressed_ ? kShadow : clWhite, okPressed_ ? clWhite : 0x404040);
  const int shift = okPressed_ ? 1 : 0;
  c.PenColor = RGB(0, 128, 0);
  for (int t = 0; t < 2; ++t) {
    c.Polygon({{kOkButton.Left + 18 + shift, kOkButton.Top + 14 + t + shift},
               {kOkButton.Left + 22 + shift, kOkButton.Top + 18 + t + shift},
               {kOkButton.Left + 30 + shift, kOkButton.Top + 9 + t + shift},
               {kOkButton.Left + 22 + shift, kOkButton.Top + 18 + t + shift}});
  }
  c.Font.Name = "Arial";
  c.Font.Size = 9;
  c.Font.Bold = false;
  c.TextOut(kOkButton.Left + 44 + shift, kOkButton.Top + 7 + shift, "OK");
}

void TScoreForm::MouseDown(TMouseButton button, int x, int y) {
  okPressed_ = button == TMouseButton::mbLeft && kOkButton.Left <= x && x < kOkButton.Right &&
               kOkButton.Top <= y && y < kOkButton.Bottom;
}

void TScoreForm::MouseUp(TMouseButton button, int x, int y) {
  const bool inside =
      kOkButton.Left <= x && x < kOkButton.Right && kOkButton.Top <= y && y < kOkButton.Bottom;
  if (okPressed_ && button == TMouseButton::mbLeft && inside) finished_ = true;
  okPressed_ = false;
}

void TScoreForm::KeyDown(DialogKey key) {
  if (key == DialogKey::Enter || key == DialogKey::Escape) finished_ = true;
}

std::vector<std::string> TScoreForm::CloseHeadless(const HeadlessDialogInput&) {
  std::vector<std::string> lines{"dialog score " + caption_};
  for (int row = 0; row <= 5; ++row) {
    std::string line = "grid " + std::to_string(row) + " ";
    for (int col = 0; col < kScoreColumns; ++col) line += (col ? "|" : "") + Cells[col][row];
    lines.push_back(line);
  }
  finished_ = true;
  return lines;
}

}  // namespace wispen
