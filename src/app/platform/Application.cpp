#include "Application.h"

#include <cstdio>

#include "Language.h"
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
  try {
    if (window_) window_->FormClose();
  } catch (...) {
    ++failedCloses_;
    closeJustFailed_ = true;
    throw;
  }
  closed_ = true;
  platform_.Log().Write("close");
}

bool Application::CloseBox() {
  if (closed_) return true;
  try {
    CloseFromHandler();
  } catch (const std::exception& e) {
    ShowError(e.what());
    OfferToQuitUnsaved();
  }
  return closed_;
}

// The first failed close leaves the player in the game with the old progress file intact, as always; asking
// from the second on means a save that cannot succeed never traps the player in a window that will not close.
void Application::OfferToQuitUnsaved() {
  if (!std::exchange(closeJustFailed_, false) || failedCloses_ < 2 || closed_) return;
  const bool japanese = IsJapanese(platform_.LanguageId());
  const std::string question =
      japanese
          ? "\xE9\x80\xB2\xE8\xA1\x8C\xE7\x8A\xB6\xE6\xB3\x81\xE3\x82\x92\xE4\xBF\x9D\xE5\xAD\x98"
            "\xE3\x81\xA7\xE3\x81\x8D\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\xE3\x80\x82\xE4\xBF\x9D"
            "\xE5\xAD\x98\xE3\x81\x9B\xE3\x81\x9A\xE3\x81\xAB\xE7\xB5\x82\xE4\xBA\x86\xE3\x81\x97"
            "\xE3\x81\xBE\xE3\x81\x99\xE3\x81\x8B\xEF\xBC\x9F"  // 進行状況を保存できません。保存せずに終了しますか？
          : "Your progress cannot be saved. Quit without saving it?";
  if (platform_.AskYesNo(kTitle, question)) CloseUnsaved();
}

void Application::CloseUnsaved() {
  if (window_) window_->FormCloseUnsaved();
  closed_ = true;
  platform_.Log().Write("close");
}

std::string Application::CloseWithoutAsking() {
  if (closed_) return "";
  try {
    CloseFromHandler();
    return "";
  } catch (const std::exception& e) {
    closeJustFailed_ = false;
    CloseUnsaved();
    return e.what();
  }
}

void Application::AppendState(StateList& state, bool withScreenDigest) const {
  if (window_) window_->AppendState(state);
  state.emplace_back("LastPress", lastPress_);
  if (window_ && withScreenDigest)
    state.emplace_back("ScreenDigest", PictureDigest(window_->ScreenPicture()));
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
