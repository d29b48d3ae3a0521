#pragma once

#include <string>

#include "MidiFile.h"

namespace wispen::sound {

// Turns a score (the notation is described in content/music/README.md) into a Song. Throws SourceError
// naming the line of the first mistake; `source` is the name used in that message.
Song ParseScore(const std::string& text, const std::string& source);

}  // namespace wispen::sound
