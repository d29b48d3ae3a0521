#pragma once

#include <array>
#include <cstdint>

#include "core/Geometry.h"

namespace wispen {

// One high-score record; an all-zero entry is an empty slot.
struct ScoreEntry {
  int32_t Stage = 0;
  int32_t Conquest = 0;
  int32_t Use = 0;
  int32_t Point = 0;
  friend constexpr bool operator==(const ScoreEntry&, const ScoreEntry&) = default;
};

// The debug gesture's progress, kept in GameMode: none, its first step done, or the chosen stage playing
// without losses. The values are the numbers a state dump shows.
enum class PlayMode : int32_t { Normal = 0, Unlocking = 1, Invulnerable = 2 };

constexpr int kHighScoreCount = 10;
constexpr int kMaxPathPoints = 4000;

// The game's shared state, owned by the main window. Fields keep the names the game's code uses throughout.
struct GameState {
  int32_t CurrentStage = 0;
  int32_t StagesOpen = 1;
  int32_t SoulsLeft = 0;
  int32_t SoulsUsed = 0;
  std::array<ScoreEntry, kHighScoreCount> HighScores{};
  int32_t SpeedFactor = 0;
  // Opaque word of the progress file, written back as it was read.
  uint16_t Reserved = 0;
  PlayMode GameMode = PlayMode::Normal;

  int32_t PathLength = 0;
  std::array<TPoint, kMaxPathPoints> PathPoints{};
  int32_t PathIndex = 0;
  TPoint ViewStart{};
  TPoint SoulStart{};
  TRect GoalRect{};
  int32_t ViewX = 0;
  int32_t ViewY = 0;
  int32_t MouseX = 0;
  int32_t MouseY = 0;
  int32_t SoulX = 0;
  int32_t SoulY = 0;
  int32_t SoulWidth = 0;
  int32_t SoulHeight = 0;
  TRect SoulSourceRect{};
  TRect SoulDestRect{};
  bool SoulActive = false;
  int32_t BurstX = 0;
  int32_t BurstY = 0;
};

}  // namespace wispen
