#pragma once

namespace wispen::bench {

// The floor every figure is set against, and the play tick, which must stay near it.
inline constexpr const char* kFloorName = "MemoryFloor";
inline constexpr const char* kTickName = "PlayTick/stage 10";

void RegisterPlayBenchmarks();
void RegisterBlitBenchmarks();
void RegisterPresentBenchmarks();

}  // namespace wispen::bench
