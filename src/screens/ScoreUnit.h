#pragma once

#include <array>
#include <string>

#include "platform/ModalDialog.h"

namespace wispen {

struct Forms;
struct ScoreEntry;

constexpr int kScoreColumns = 5;
constexpr int kScoreRows = 7;

// The number right-aligned in `width` characters; a longer number keeps only its last `width` characters.
std::string PadNumber(int number, int width);

// Enters a finished game into the table: by stage, then path covered, then fewest souls.
void InsertHighScore(std::array<ScoreEntry, 10>& table, int stage, int conquest, int use);

// The score board: the first five entries of the high-score table, shown modally.
class TScoreForm : public ModalDialog {
 public:
  explicit TScoreForm(Forms& forms);

  void FormCreate();
  // Fills rows 1 to 5 from the table; called each time the board is shown.
  void FormShow();
  // Shows the board and returns when it is closed.
  void ShowModal();

  std::string Caption() const override { return caption_; }
  TSize ClientSize() const override { return TSize{466, 296}; }
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, int x, int y) override;
  void MouseUp(TMouseButton button, int x, int y) override;
  void KeyDown(DialogKey key) override;
  bool Finished() const override { return finished_; }
  void CloseBox() override { finished_ = true; }
  void Shown() override { finished_ = false; }
  std::vector<std::string> CloseHeadless(const HeadlessDialogInput& input) override;

  // StringGrid1's cells, [column][row].
  std::array<std::array<std::string, kScoreRows>, kScoreColumns> Cells;
  std::string FontName;

 private:
  Forms& forms_;
  std::string caption_ = "Score";
  bool finished_ = false;
  bool okPressed_ = false;
};

}  // namespace wispen
