#pragma once

#include <memory>
#include <string>

namespace wispen {
class HeadlessPlatform;
class Application;
struct Forms;
class SdlImageCodec;
class SdlTextEngine;
class TMainForm;
}  // namespace wispen

namespace wispen::bench {

// The built Data/ of this build tree.
std::string DataDir();

// The whole game on the headless backend, shown (the title screen's digit fields are in place), with its own
// game directory whose Data links to the build's, so that its temporary files go nowhere shared.
class HeadlessGame {
 public:
  HeadlessGame();
  ~HeadlessGame();

  TMainForm& Main();
  Forms& AllForms() { return *forms_; }
  // Starts stage n as the stage select does (music, pictures, checks and the first frame), the soul on its
  // start point.
  void StartStage(int n);

 private:
  std::string dir_;
  std::unique_ptr<SdlTextEngine> text_;
  std::unique_ptr<SdlImageCodec> codec_;
  std::unique_ptr<HeadlessPlatform> platform_;
  std::unique_ptr<Application> app_;
  std::unique_ptr<Forms> forms_;
};

}  // namespace wispen::bench
