#include "Application.h"

#include <cstdio>

#include "Platform.h"

namespace wispen {

void Application::ShowError(const std::string& message) {
  platform_.ShowMessage(kTitle, message, MessageIcon::Error);
}

void Application::Show() {
  Dispatch([&] {
    if (window_) window_->FormShow();
  });
}

void Application::MouseMove(TShiftState shift, int x, int y) {
  Dispatch([&] {
    if (window_) window_->ScreenImageMouseMove(shift, x, y);
  });
}

void Application::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  const char* name = button == TMouseButton::mbLeft    ? "left"
                     : button == TMouseButton::mbRight ? "right"
                                                       : "middle";
  lastPress_ = std::string(name) + "," + std::to_string(x) + "," + std::to_string(y);
  Dispatch([&] {
    if (window_) window_->ScreenImageMouseDown(button, shift, x, y);
  });
}

void Application::KeyDown(GameKey key) {
  Dispatch([&] {
    if (window_) window_->FormKeyDown(key);
  });
}

void Application::RunDueTimers(int64_t now) {
  TimerQueue& timers = platform_.Timers();
  while (!closed_) {
    TTimer* due = timers.DueAt(now);
    if (due == nullptr) break;
    Dispatch([&] { timers.Fire(*due); });
  }
}

void Application::CloseFromHandler() {
  if (closed_) return;
  if (window_) window_->FormClose();
  closed_ = true;
  platform_.Log().Write("close");
}

bool Application::CloseBox() {
  if (closed_) return true;
  try {
    CloseFromHandler();
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
  return closed_;
}

void Application::AppendState(StateList& state) const {
  if (window_) window_->AppendState(state);
  state.emplace_back("LastPress", lastPress_);
  if (window_) state.emplace_back("ScreenDigest", PictureDigest(window_->ScreenPicture()));
}

// FNV-1a over the size and the pixels: two pictures that differ anywhere differ here, whatever the backend.
std::string PictureDigest(const TBitmap& picture) {
  uint64_t h = 14695981039346656037ULL;
  auto mix = [&h](uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ULL;
    }
  };
  mix(static_cast<uint32_t>(picture.Width()));
  mix(static_cast<uint32_t>(picture.Height()));
  for (TColor c : picture.Pixels()) mix(c);
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

}  // namespace wispen
