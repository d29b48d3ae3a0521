#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "TestServices.h"
#include "TestStage.h"
#include "headless/HeadlessPlatform.h"
#include "play/Forms.h"
#include "play/MainUnit.h"
#include "sdl/SdlImageCodec.h"
#include "story/OpningUnit.h"

namespace wispen::testing {

// The real game on the headless backend, in a game directory of its own, with handlers driven directly.
class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the six forms; call after writing what Data/ should hold. The sound files are written first
  // unless `withSounds` was cleared.
  void CreateGame(uint16_t language = 0x0409);
  // Shows the window (FormShow) without playing the opening.
  void ShowWithoutOpening();
  // Starts stage n as the menus do, and lets the curtain run until the stage has started.
  void StartStage(int n, int souls = 2, bool curtain = true);
  // Lets virtual time pass, firing due timers.
  void Wait(int64_t ms) { platform->Wait(ms); }
  void Move(int x, int y);
  std::string EventLog();
  TMainForm& Main() { return *forms->MainForm; }

  std::filesystem::path dir;
  bool withSounds = true;
  bool skipOpening = false;  // the settings file's skip_opening
  BoxTextEngine text;
  SdlImageCodec codec;
  std::unique_ptr<HeadlessPlatform> platform;
  std::unique_ptr<Application> app;
  std::unique_ptr<Forms> forms;
};

}  // namespace wispen::testing
