#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Bitmap.h"
#include "Input.h"
#include "Timer.h"

namespace wispen {

class Platform;

using StateList = std::vector<std::pair<std::string, std::string>>;

// A digest of a picture, 16 hex digits: the state value ScreenDigest, so a replay can check the screen.
std::string PictureDigest(const TBitmap& picture);

// The main window's events, as the game handles them.
class MainWindowEvents {
 public:
  virtual ~MainWindowEvents() = default;
  virtual void FormShow() = 0;
  // Throws when the window must stay open (the progress file could not be written).
  virtual void FormClose() = 0;
  // Closing when the progress cannot be saved and the game must end all the same: all of FormClose but the
  // save. Throws nothing.
  virtual void FormCloseUnsaved() {}
  virtual void ScreenImageMouseMove(TShiftState shift, int x, int y) = 0;
  virtual void ScreenImageMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void FormKeyDown(GameKey /*key*/) {}
  // Whether the soul is in play (the pointer steers it): the window then keeps the pointer on the picture.
  virtual bool PointerInPlay() const { return false; }
  // The 640x480 picture the window shows.
  virtual const TBitmap& ScreenPicture() const = 0;
  // The game state that scripts read, as NAME=VALUE pairs.
  virtual void AppendState(StateList& state) const = 0;
};

// The message loop's core, shared by both backends: it runs each handler to completion, shows an escaping
// exception in the standard error box and goes on, and stops dispatching once the main window has closed.
class Application {
 public:
  static constexpr const char* kTitle = "Wispen Version 1";

  explicit Application(Platform& platform) : platform_(platform) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  void SetMainWindow(MainWindowEvents* window) { window_ = window; }
  MainWindowEvents* MainWindow() const { return window_; }

  void Show();
  void MouseMove(TShiftState shift, int x, int y);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void KeyDown(GameKey key);
  // Fires, one at a time and in time order, every timer due at or before `now`.
  void RunDueTimers(int64_t now);
  // The close box: runs the close handler; on failure shows the error box and the window stays open. From
  // the second failed close on, a Yes/No box then offers to quit without saving. Returns whether the window
  // is closed.
  bool CloseBox();
  // Closing from inside a handler: exceptions go to the handler's caller.
  void CloseFromHandler();
  // Closing when no one can be asked (a signal, the window or the display gone): closes in any case, without
  // saving when the close handler fails. Returns that failure's message, empty when all went well.
  std::string CloseWithoutAsking();
  bool Closed() const { return closed_; }

  // The screen's digest hashes every pixel byte by byte, as long as the rest of a play tick; a script's
  // `until` that asks for another value at each step of its wait leaves it out.
  void AppendState(StateList& state, bool withScreenDigest = true) const;

  // Runs `handler` as one event: an escaping exception is shown in the standard error box.
  template <typename F>
  void Dispatch(F&& handler);

  // Called after each handler; the headless backend delivers the mouse move of a cursor warp here.
  void SetAfterHandler(std::function<void()> hook) { afterHandler_ = std::move(hook); }

 private:
  void ShowError(const std::string& message);
  // After the error box of a failed close: the offer to quit without saving, from the second failure on.
  void OfferToQuitUnsaved();
  void CloseUnsaved();

  Platform& platform_;
  MainWindowEvents* window_ = nullptr;
  bool closed_ = false;
  int failedCloses_ = 0;
  bool closeJustFailed_ = false;
  bool inAfterHandler_ = false;
  std::function<void()> afterHandler_;
  std::string lastPress_;
};

}  // namespace wispen

#include "Application.inl"
