#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Input.h"

namespace wispen {

// What a headless run knows when a dialog is shown: the position set by the script's `updown`, if any.
struct HeadlessDialogInput {
  std::optional<int> UpDownPosition;
};

// A secondary window shown modally. The game draws its client area on a canvas and reacts to input; the
// backend gives it a real window (or, headless, logs it and closes it at once).
class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  virtual std::string Caption() const = 0;
  virtual TSize ClientSize() const = 0;
  // Draws the whole client area.
  virtual void Paint(TCanvas& canvas) = 0;
  virtual void MouseDown(TMouseButton, int /*x*/, int /*y*/) {}
  virtual void MouseUp(TMouseButton, int /*x*/, int /*y*/) {}
  virtual void KeyDown(DialogKey) {}
  // The dialog has asked to close (an OK button, a key).
  virtual bool Finished() const = 0;
  // The window's close box was used; the dialog closes.
  virtual void CloseBox() {}
  // Called once before the dialog is shown.
  virtual void Shown() {}
  // A headless run: close at once as the script says, and return the event-log lines (without the clock).
  virtual std::vector<std::string> CloseHeadless(const HeadlessDialogInput& input) = 0;
  // The up-down control's position once closed, for a dialog that has one: a recording keeps it.
  virtual std::optional<int> UpDownPosition() const { return std::nullopt; }
};

}  // namespace wispen
