#include "StageReport.h"

#include <cstdio>

namespace wispen::stagecheck {

StageReport CheckStage(int stage, int obstacleCount, FlightSearch& search, int maxMove) {
  StageReport r;
  r.Stage = stage;
  r.PathLength = search.PathLength();
  r.ObstacleCount = obstacleCount;
  r.MaxMove = maxMove;
  r.WidestMargin = search.WidestMargin(maxMove);
  r.SlowestMove = search.SlowestMove();
  r.Flight = search.Search({maxMove, std::max(r.WidestMargin, 0)});
  if (r.WidestMargin >= 0) r.MarginPinch = search.Search({maxMove, r.WidestMargin + 1}, false).FailedAt;
  if (r.SlowestMove > 1) r.MovePinch = search.Search({r.SlowestMove - 1, 0}, false).FailedAt;
  return r;
}

StageReport CheckFlightOnly(int stage, int obstacleCount, FlightSearch& search, int maxMove) {
  StageReport r;
  r.Stage = stage;
  r.PathLength = search.PathLength();
  r.ObstacleCount = obstacleCount;
  r.MaxMove = maxMove;
  r.Flight = search.Search({maxMove, 0});
  return r;
}

bool ArrivesWithTimeToSpare(const StageReport& r) {
  constexpr int kSpareTicks = 20;
  return r.Flight.Arrival < r.PathLength - kSpareTicks;
}

std::string ReportPinches(const StageReport& r) {
  char line[160];
  std::snprintf(line, sizeof line,
                "stage %d: margin pinch at tick %d (%.1f s), move pinch at tick %d (%.1f s)\n", r.Stage,
                r.MarginPinch, r.MarginPinch * 0.05, r.MovePinch, r.MovePinch * 0.05);
  return line;
}

std::string ReportHeading() {
  return "| stage | length | obstacles | flight | reaches the goal | narrowest margin | fastest move needed "
         "|\n"
         "|---|---|---|---|---|---|---|\n";
}

std::string ReportRow(const StageReport& r) {
  char line[256];
  if (!r.Flight.Found) {
    std::snprintf(line, sizeof line, "| %d | %.1f s | %d | none (stuck at tick %d) | - | - | - |\n", r.Stage,
                  r.Seconds(), r.ObstacleCount, r.Flight.FailedAt);
  } else if (r.WidestMargin < 0) {  // the figures were not worked out
    std::snprintf(line, sizeof line, "| %d | %.1f s | %d | yes | %.1f s | - | - |\n", r.Stage, r.Seconds(),
                  r.ObstacleCount, r.Flight.Arrival * 0.05);
  } else {
    std::snprintf(line, sizeof line, "| %d | %.1f s | %d | yes | %.1f s | %d px | %d px/tick |\n", r.Stage,
                  r.Seconds(), r.ObstacleCount, r.Flight.Arrival * 0.05, r.WidestMargin, r.SlowestMove);
  }
  return line;
}

}  // namespace wispen::stagecheck
