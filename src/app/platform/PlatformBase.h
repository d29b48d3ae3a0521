#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Application.h"
#include "Platform.h"
#include "Recorder.h"
#include "paths/PrivateTempDir.h"

namespace wispen {

// What both backends share: the clock, the timers, the event log, the language, the game directory, and
// the bookkeeping around message boxes, modal dialogs and the pointer.
class PlatformBase : public Platform {
 public:
  struct Settings {
    uint16_t LanguageId = 0x0409;
    std::string GameDir = "./";
    // Empty: Data/Info.Dat in the game directory, read from there too.
    std::string ProgressFile;
    std::string ProgressSource;
    bool ProgressInUserDir = false;
    // Where the private directory for temporary files is made; empty for the usual place.
    std::string TempParent;
    bool SkipOpening = false;
    // A replay's speed factor, in place of the one the opening measures.
    std::optional<int> SpeedFactor;
    // The script is a recording: a window that closes before its expect lines is a replay gone another way.
    bool Replay = false;
  };

  PlatformBase(std::unique_ptr<Clock> clock, const Settings& settings, TextEngine& text, ImageCodec& images);

  const Clock& GetClock() const override { return *clock_; }
  TimerQueue& Timers() override { return timers_; }
  EventLog& Log() override { return log_; }
  TextEngine& Text() override { return text_; }
  ImageCodec& Images() override { return images_; }
  uint16_t LanguageId() const override { return settings_.LanguageId; }
  const std::string& GameDir() const override { return settings_.GameDir; }
  const std::string& TempDir() const override { return tempDir_.Path(); }
  const std::string& ProgressSource() const override { return settings_.ProgressSource; }
  std::string PrepareProgressSave() override;
  bool SkipOpening() const override { return settings_.SkipOpening; }
  std::optional<int> ReplaySpeedFactor() const override { return settings_.SpeedFactor; }
  bool IsReplay() const { return settings_.Replay; }

  void ShowMessage(const std::string& caption, const std::string& text,
                   MessageIcon icon = MessageIcon::None) final;
  bool AskYesNo(const std::string& caption, const std::string& text) final;
  void ShowModal(ModalDialog& dialog) final;
  void SetCursorVisible(bool visible) final;
  bool CursorVisible() const { return cursorVisible_; }
  void CloseMainWindow() final;

  void Attach(Application& app) { app_ = &app; }
  Application* App() const { return app_; }
  // The next dialog a script closes is the debug selector at this position (a script's `updown`).
  void SetScriptedUpDown(int position) { upDown_ = position; }

  // Where the run is written down, if it is: the backends pass it the input the game sees.
  void SetRecorder(Recorder* recorder) { recorder_ = recorder; }
  Recorder* GetRecorder() const { return recorder_; }

 protected:
  virtual void RunMessageBox(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
  virtual bool RunQuestionBox(const std::string& caption, const std::string& text) = 0;
  virtual void RunModal(ModalDialog& dialog) = 0;
  virtual void ApplyCursorVisible(bool /*visible*/) {}
  // What a script does with a dialog, which it cannot work: the dialog closes at once, with the position
  // `updown` set, and what it showed goes to the event log.
  void CloseScripted(ModalDialog& dialog);

 private:
  std::unique_ptr<Clock> clock_;
  Settings settings_;
  PrivateTempDir tempDir_;
  TextEngine& text_;
  ImageCodec& images_;
  TimerQueue timers_;
  EventLog log_;
  Application* app_ = nullptr;
  bool cursorVisible_ = true;
  std::optional<int> upDown_;
  Recorder* recorder_ = nullptr;
};

// Makes a game directory name end in '/'.
std::string WithTrailingSlash(std::string dir);

}  // namespace wispen
