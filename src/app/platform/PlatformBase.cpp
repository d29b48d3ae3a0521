#include "PlatformBase.h"

#include <filesystem>
#include <system_error>

#include "paths/GameDirs.h"

namespace wispen {

namespace {

// Keeps the timers suspended for the life of a modal box, also when the box's code throws.
class SuspendTimers {
 public:
  explicit SuspendTimers(TimerQueue& timers) : timers_(timers) { timers_.Suspend(); }
  ~SuspendTimers() { timers_.Resume(); }
  SuspendTimers(const SuspendTimers&) = delete;
  SuspendTimers& operator=(const SuspendTimers&) = delete;

 private:
  TimerQueue& timers_;
};

}  // namespace

PlatformBase::PlatformBase(std::unique_ptr<Clock> clock, const Settings& settings, TextEngine& text,
                           ImageCodec& images)
    : clock_(std::move(clock)),
      settings_(settings),
      tempDir_(settings.TempParent),
      text_(text),
      images_(images),
      timers_(*clock_),
      log_(*clock_) {
  settings_.GameDir = WithTrailingSlash(settings_.GameDir);
  if (settings_.ProgressFile.empty()) settings_.ProgressFile = ProgressBesideData(settings_.GameDir);
  if (settings_.ProgressSource.empty()) settings_.ProgressSource = settings_.ProgressFile;
}

std::string PlatformBase::PrepareProgressSave() {
  if (settings_.ProgressInUserDir) {
    // A failure shows when the file cannot be written there, with the reason the save reports.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(settings_.ProgressFile).parent_path(), ignored);
  }
  return settings_.ProgressFile;
}

void PlatformBase::ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) {
  log_.Write("message " + caption + "|" + text);
  SuspendTimers suspended(timers_);
  RunMessageBox(caption, text, icon);
}

bool PlatformBase::AskYesNo(const std::string& caption, const std::string& text) {
  log_.Write("message " + caption + "|" + text);
  SuspendTimers suspended(timers_);
  return RunQuestionBox(caption, text);
}

void PlatformBase::ShowModal(ModalDialog& dialog) {
  SuspendTimers suspended(timers_);
  dialog.Shown();
  RunModal(dialog);
  if (recorder_ != nullptr) {
    if (const std::optional<int> position = dialog.UpDownPosition()) recorder_->UpDown(*position);
  }
}

void PlatformBase::CloseScripted(ModalDialog& dialog) {
  HeadlessDialogInput input;
  input.UpDownPosition = upDown_;
  upDown_.reset();
  for (const std::string& line : dialog.CloseHeadless(input)) log_.Write(line);
}

void PlatformBase::SetCursorVisible(bool visible) {
  if (visible == cursorVisible_) return;
  cursorVisible_ = visible;
  log_.Write(visible ? "cursor shown" : "cursor hidden");
  ApplyCursorVisible(visible);
}

void PlatformBase::CloseMainWindow() {
  if (recorder_ != nullptr && app_ != nullptr && !app_->Closed()) recorder_->ClosedByGame();
  if (app_) app_->CloseFromHandler();
}

std::string WithTrailingSlash(std::string dir) {
  if (dir.empty()) return "./";
  if (dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace wispen
