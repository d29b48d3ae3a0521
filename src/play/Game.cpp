#include "platform/Game.h"

#include "Forms.h"
#include "MainUnit.h"

namespace wispen {

namespace {

class FormsGame : public Game {
 public:
  FormsGame(Platform& platform, Application& app) : forms_(platform) {
    forms_.CreateAll(app);
    app.SetMainWindow(forms_.MainForm.get());
  }

 private:
  Forms forms_;
};

}  // namespace

std::unique_ptr<Game> CreateGame(Platform& platform, Application& app) {
  return std::make_unique<FormsGame>(platform, app);
}

}  // namespace wispen
