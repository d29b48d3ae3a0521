#pragma once

#include "platform/ModalDialog.h"

namespace wispen {

struct Forms;

// The hidden gesture on the title menu: two right-button presses, each with its own modifier key held, on
// two small spots of the stone frame, in order. The second opens the stage selector and starts the chosen
// stage with every stage open and the soul unharmed by the demon world. Any other menu press resets it.
void DebugUnlock(Forms& forms, int X, int Y, TMouseButton button, TShiftState shift);

// The two spots, edges included, and the keys held with them.
constexpr TRect kDebugFirstSpot{18, 448, 22, 452};
constexpr TRect kDebugSecondSpot{617, 28, 621, 32};
constexpr TShiftState kDebugFirstKey = ssCtrl;
constexpr TShiftState kDebugSecondKey = ssShift;

// The hidden stage selector: an up-down control from 1 to 10 beside a read-only box that shows it. It has
// no buttons and closes by its close box, Esc or Return; the main window reads the position afterwards.
class TDebugForm : public ModalDialog {
 public:
  explicit TDebugForm(Forms& forms);

  void FormCreate();
  // Shows the selector and returns when it is closed.
  void ShowModal();

  std::string Caption() const override { return "Debug"; }
  TSize ClientSize() const override { return TSize{133, 63}; }
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, int x, int y) override;
  void MouseUp(TMouseButton, int, int) override { pressedArrow_ = 0; }
  void KeyDown(DialogKey key) override;
  bool Finished() const override { return finished_; }
  void CloseBox() override { finished_ = true; }
  void Shown() override { finished_ = false; }
  std::vector<std::string> CloseHeadless(const HeadlessDialogInput& input) override;
  std::optional<int> UpDownPosition() const override { return position_; }

  // UpDown1's position, 1 to 10, kept between showings.
  int16_t Position() const { return position_; }
  void SetPosition(int position);

 private:
  Forms& forms_;
  int16_t position_ = 1;
  int pressedArrow_ = 0;  // +1 up, -1 down while held
  bool finished_ = false;
};

}  // namespace wispen
