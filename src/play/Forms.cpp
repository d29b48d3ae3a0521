#include "Forms.h"

#include "MainUnit.h"
#include "platform/Application.h"
#include "screens/DebugUnit.h"
#include "screens/NumberUnit.h"
#include "screens/ScoreUnit.h"
#include "story/EndingUnit.h"
#include "story/OpningUnit.h"

namespace wispen {

Forms::Forms(Platform& p) : platform(p) {}

// Forms go in the reverse order of their creation, the main window last.
Forms::~Forms() {
  DebugForm.reset();
  NumberForm.reset();
  EndingForm.reset();
  OpningForm.reset();
  ScoreForm.reset();
  MainForm.reset();
}

void Forms::CreateAll(Application& app) {
  MainForm = std::make_unique<TMainForm>(*this);
  app.Dispatch([&] { MainForm->FormCreate(); });
  ScoreForm = std::make_unique<TScoreForm>(*this);
  app.Dispatch([&] { ScoreForm->FormCreate(); });
  OpningForm = std::make_unique<TOpningForm>(*this);
  app.Dispatch([&] { OpningForm->FormCreate(); });
  EndingForm = std::make_unique<TEndingForm>(*this);
  app.Dispatch([&] { EndingForm->FormCreate(); });
  NumberForm = std::make_unique<TNumberForm>(*this);
  app.Dispatch([&] { NumberForm->FormCreate(); });
  DebugForm = std::make_unique<TDebugForm>(*this);
  app.Dispatch([&] { DebugForm->FormCreate(); });
}

}  // namespace wispen
