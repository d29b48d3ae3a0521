#pragma once

#include <string>

#include "FlightSearch.h"

namespace wispen::stagecheck {

// A flight as a script for the headless game: the mouse moved to the soul's start, then for every play tick
// a move to the tick's mouse point and a wait of 50 ms. It begins when the stage's play timer starts (the
// steps that lead there, from the title menu to the stage start, belong to whoever runs it) and assumes a
// speed factor of 1. Positions are 640x480 screen points.
std::string FlightScript(const Flight& flight, int stage);

}  // namespace wispen::stagecheck
