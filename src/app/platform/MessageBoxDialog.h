#pragma once

#include <string>
#include <vector>

#include "ModalDialog.h"
#include "Platform.h"

namespace wispen {

// The game's own message box, drawn as its other dialogs are and in its own fonts, so that any text (the
// Japanese ones too) shows as it should: an optional error icon, the text, and either one OK button or Yes
// and No. Return chooses the first button; Esc and the close box choose OK or No.
class MessageBoxDialog : public ModalDialog {
 public:
  enum class Buttons { Ok, YesNo };
  enum class Answer { None, Ok, Yes, No };

  // Lays the box out at once: `text` measures through `engine`.
  MessageBoxDialog(TextEngine& engine, uint16_t languageId, std::string caption, const std::string& text,
                   MessageIcon icon, Buttons buttons);

  std::string Caption() const override { return caption_; }
  TSize ClientSize() const override { return size_; }
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, int x, int y) override;
  void MouseUp(TMouseButton button, int x, int y) override;
  void KeyDown(DialogKey key) override;
  bool Finished() const override { return answer_ != Answer::None; }
  void CloseBox() override { answer_ = Dismissed(); }
  std::vector<std::string> CloseHeadless(const HeadlessDialogInput& input) override;

  Answer Chosen() const { return answer_; }
  // Where the text's first line starts, for those that look at the picture.
  TPoint TextOrigin() const { return textOrigin_; }
  static TFont TextFont();

 private:
  struct Button {
    TRect rect;
    std::string label;
    Answer answer;
  };
  Answer Dismissed() const { return buttons_.back().answer; }
  const Button* ButtonAt(int x, int y) const;

  std::string caption_;
  MessageIcon icon_;
  std::vector<std::string> lines_;
  int lineHeight_ = 0;
  TPoint textOrigin_{0, 0};
  std::vector<Button> buttons_;
  TSize size_{0, 0};
  const Button* pressed_ = nullptr;
  Answer answer_ = Answer::None;
};

}  // namespace wispen
