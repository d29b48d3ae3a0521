#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "Clock.h"
#include "EventLog.h"
#include "ImageCodec.h"
#include "MediaPlayer.h"
#include "ModalDialog.h"
#include "TextEngine.h"
#include "Timer.h"
#include "core/Geometry.h"

namespace wispen {

enum class MessageIcon { None, Error };

// Everything the game asks of the machine it runs on. Game code sees only this; a backend (a real window,
// or a headless run on virtual time) provides it.
class Platform {
 public:
  virtual ~Platform() = default;

  virtual const Clock& GetClock() const = 0;
  virtual TimerQueue& Timers() = 0;
  virtual EventLog& Log() = 0;
  virtual TextEngine& Text() = 0;
  virtual ImageCodec& Images() = 0;
  // A closed media player; it picks its device by the extension of the file it opens.
  virtual std::unique_ptr<MediaPlayer> CreateMediaPlayer() = 0;

  // GetUserDefaultLangID: 0x0411 Japanese, 0x0409 English.
  virtual uint16_t LanguageId() const = 0;
  // The game directory with a trailing '/': the executable's, or the one named on the command line.
  virtual const std::string& GameDir() const = 0;
  // The directory of this process's own for temporary files, with a trailing '/'; it goes when the game ends.
  virtual const std::string& TempDir() const = 0;
  // Where the progress is read from at the start: the progress file, or an older one to take over.
  virtual const std::string& ProgressSource() const = 0;
  // Where the progress is saved; a directory of the user's that it needs is made first.
  virtual std::string PrepareProgressSave() = 0;
  // The player asked for the opening to be cut short at start-up (not part of the original game).
  virtual bool SkipOpening() const { return false; }
  // A replay runs at the speed factor its recording names, whatever this machine measures.
  virtual std::optional<int> ReplaySpeedFactor() const { return std::nullopt; }

  // A modal message box with one OK button; returns when it is dismissed. No game timer ticks meanwhile.
  virtual void ShowMessage(const std::string& caption, const std::string& text,
                           MessageIcon icon = MessageIcon::None) = 0;
  // A modal box with Yes and No buttons; true when Yes was chosen. No game timer ticks meanwhile.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  virtual void MessageBeep(unsigned type) = 0;
  // Shows a dialog modally; returns when it has closed. No game timer ticks meanwhile.
  virtual void ShowModal(ModalDialog& dialog) = 0;

  // The pointer over the screen image: hidden during play, the default arrow otherwise.
  virtual void SetCursorVisible(bool visible) = 0;
  // SetCursorPos, in screen-image pixels. The platform delivers the resulting mouse move.
  virtual void SetCursorPos(int x, int y) = 0;
  // Where the pointer really is, in screen-image pixels.
  virtual TPoint CursorPos() const = 0;
  // UpdateWindow: put the screen picture on the display now.
  virtual void Repaint() = 0;
  // Closes the main window: its close handler runs now; what it throws reaches the caller.
  virtual void CloseMainWindow() = 0;
};

}  // namespace wispen
