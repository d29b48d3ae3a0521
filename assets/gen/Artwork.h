#pragma once

#include <vector>

#include "Picture.h"

namespace wispen::art {

// Each function paints one of the game's built-in pictures from scratch, the same pixels on every run.
Picture DrawFrame();
Picture DrawSoul();
Picture DrawCurtain();
Picture DrawButton();
std::vector<Picture> DrawBurst();
std::vector<Picture> DrawDevils();
std::vector<Picture> DrawStageBadges();
std::vector<Picture> DrawDigits();
Picture DrawBeam();
Picture DrawAngel();
// The soul on a dark tile, at any size: the window icon and the launcher's picture.
Picture DrawIcon(int size);

}  // namespace wispen::art
