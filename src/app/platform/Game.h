#pragma once

#include <memory>

#include "Application.h"
#include "Platform.h"

namespace wispen {

// The game that runs on the platform, its forms made and owned as one. The program's entry knows the game
// only through this; the game's own library defines CreateGame, so nothing below the game includes its
// headers.
class Game {
 public:
  virtual ~Game() = default;
};

// Makes every form of the game in its fixed order and gives the application its main window.
std::unique_ptr<Game> CreateGame(Platform& platform, Application& app);

}  // namespace wispen
