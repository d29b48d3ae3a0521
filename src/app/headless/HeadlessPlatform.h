#pragma once

#include <optional>
#include <vector>

#include "platform/PlatformBase.h"
#include "platform/Script.h"

namespace wispen {

// No window, no audio, virtual time from 0: the game runs as it would, driven by a script, and what a
// screen and a speaker would have shown goes to the event log.
class HeadlessPlatform : public PlatformBase {
 public:
  HeadlessPlatform(const Settings& settings, TextEngine& text, ImageCodec& images);

  std::unique_ptr<MediaPlayer> CreateMediaPlayer() override;
  void MessageBeep(unsigned) override {}
  void SetCursorPos(int x, int y) override;
  TPoint CursorPos() const override { return pointer_; }
  void Repaint() override {}

  // Lets `ms` milliseconds of virtual time pass; every timer due up to and including the end fires, in order.
  void Wait(int64_t ms);
  // Takes charge of the application's events: a warp's mouse move follows each handler.
  void Connect(Application& app);
  // Shows the main window, plays the script and closes the window. Returns the exit status.
  int Run(Application& app, const std::vector<ScriptCommand>& script);

 protected:
  void RunMessageBox(const std::string&, const std::string&, MessageIcon) override {}
  // A script cannot answer: the box is logged and answered No, which leaves things as they are.
  bool RunQuestionBox(const std::string&, const std::string&) override { return false; }
  void RunModal(ModalDialog& dialog) override;

 private:
  void DeliverWarp();

  VirtualClock* clock_;
  TPoint pointer_{0, 0};
  bool warpPending_ = false;
  std::optional<int> upDown_;
};

}  // namespace wispen
