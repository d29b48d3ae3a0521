#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "paths/XdgDirs.h"
#include "platform/Application.h"

namespace wispen {

// Where kept games go: $XDG_STATE_HOME/wispen/replays/, else ~/.local/state/wispen/replays/.
std::string ReplayDirectory(const EnvLookup& env);

// The name of a kept game: the date and time it ended, the stage it ended on and its points, e.g.
// "2026-12-08_15-30-00_stage3_120pts.script". Names sort as the games were played.
std::string ReplayFileName(const std::tm& local, int stage, int points);

// The points of the game a run played: the best entry that the high-score table gained, or 0.
int GamePoints(const StateList& before, const StateList& after);

// Writes `text` under `path` whole or not at all: a temporary file beside it, synced, then renamed.
// Throws IoError.
void WriteFileAtomically(const std::string& path, const std::string& text);

// Writes a kept game into `dir` (made when missing), under `name` or, when that is taken, name-2, name-3...,
// and removes the oldest kept games beyond `keep`. Throws IoError; returns the path written.
std::string KeepReplay(const std::string& dir, const std::string& name, const std::string& text,
                       size_t keep = 50);

}  // namespace wispen

namespace wispen {

class Platform;
class Recorder;

// At the end of a recorded run: writes the recording to `file`, or with no file keeps it among the replays in
// `keepDir`. `before` and `after` are the game state at the start and after the close. Trouble costs one
// warning line on standard error, never the game.
void SaveRecording(const Recorder& recorder, const StateList& before, const StateList& after,
                   const Platform& platform, const std::string* file, const std::string& keepDir);

}  // namespace wispen
