#include "HeadlessPlatform.h"

#include "platform/NullMediaPlayer.h"
#include "platform/ScriptRunner.h"

namespace wispen {

namespace {

std::unique_ptr<Clock> MakeVirtualClock(VirtualClock*& raw) {
  auto clock = std::make_unique<VirtualClock>();
  raw = clock.get();
  return clock;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(const Settings& settings, TextEngine& text, ImageCodec& images)
    : PlatformBase(MakeVirtualClock(clock_), settings, text, images) {}

std::unique_ptr<MediaPlayer> HeadlessPlatform::CreateMediaPlayer() {
  return std::make_unique<NullMediaPlayer>();
}

void HeadlessPlatform::SetCursorPos(int x, int y) {
  pointer_ = {x, y};
  warpPending_ = true;
  Log().Write("warp " + std::to_string(x) + " " + std::to_string(y));
}

// The mouse move that a warp causes comes right after the handler that warped, at the same clock time.
void HeadlessPlatform::DeliverWarp() {
  while (warpPending_ && App() != nullptr && !App()->Closed()) {
    warpPending_ = false;
    App()->MouseMove(0, pointer_.X, pointer_.Y);
  }
}

void HeadlessPlatform::RunModal(ModalDialog& dialog) {
  CloseScripted(dialog);
}

void HeadlessPlatform::Wait(int64_t ms) {
  WaitUntil(ms, nullptr);
}

bool HeadlessPlatform::WaitUntil(int64_t ms, const std::function<bool()>& holds) {
  const int64_t now = clock_->NowMs();
  const int64_t end = ms >= kLatestTimeMs - now ? kLatestTimeMs : now + ms;
  if (holds && holds()) return true;
  while (App() != nullptr && !App()->Closed()) {
    const std::optional<int64_t> next = Timers().NextDue();
    if (!next || *next > end) break;
    clock_->AdvanceTo(*next);
    App()->RunDueTimers(*next);
    if (holds && holds()) return true;
  }
  clock_->AdvanceTo(end);
  return false;
}

void HeadlessPlatform::Connect(Application& app) {
  Attach(app);
  app.SetAfterHandler([this] { DeliverWarp(); });
}

int HeadlessPlatform::Run(Application& app, const std::vector<ScriptCommand>& script) {
  Connect(app);
  app.Show();
  ScriptRunner::Hooks hooks;
  hooks.Wait = [this](int64_t ms) { Wait(ms); };
  hooks.WaitUntil = [this](int64_t ms, const std::function<bool()>& holds) { return WaitUntil(ms, holds); };
  hooks.Pointer = [this] { return pointer_; };
  hooks.MovePointer = [this](TPoint p) { pointer_ = p; };
  hooks.SetUpDown = [this](int n) { SetScriptedUpDown(n); };
  hooks.Record = GetRecorder();
  hooks.Replay = IsReplay();
  return ScriptRunner(app, Images(), hooks).Run(script);
}

}  // namespace wispen
