#pragma once

#include <memory>

namespace wispen {

class Application;
class Platform;
class TMainForm;
class TScoreForm;
class TOpningForm;
class TEndingForm;
class TNumberForm;
class TDebugForm;

// The six forms of a run. Each form reaches the others through this, as a form reaches another through its
// one global instance; nothing here outlives the run.
struct Forms {
  explicit Forms(Platform& p);
  ~Forms();
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  // Creates the forms in their fixed order, each completely (its FormCreate has run) before the next. A
  // creation handler that fails is reported in the standard error box and the next form is created.
  void CreateAll(Application& app);

  Platform& platform;
  std::unique_ptr<TMainForm> MainForm;
  std::unique_ptr<TScoreForm> ScoreForm;
  std::unique_ptr<TOpningForm> OpningForm;
  std::unique_ptr<TEndingForm> EndingForm;
  std::unique_ptr<TNumberForm> NumberForm;
  std::unique_ptr<TDebugForm> DebugForm;
};

}  // namespace wispen
