#pragma once

#include <string>

#include "FlightSearch.h"

namespace wispen::stagecheck {

// What the checker says about one stage.
struct StageReport {
  int Stage = 0;
  int PathLength = 0;
  int ObstacleCount = 0;
  stagecheck::Flight Flight;  // at the widest margin under the move limit
  int MaxMove = 0;            // the move limit the flight was searched with
  int WidestMargin = -1;      // narrowest free margin along the best flight
  int SlowestMove = -1;       // the fastest move the stage needs at margin 0
  int MarginPinch = 0;        // the tick where a flight with one pixel more margin gets stuck
  int MovePinch = 0;          // the tick where a flight with a move limit one pixel lower gets stuck

  double Seconds() const { return PathLength * 0.05; }
};

// Runs the three searches on a stage: the widest margin under `maxMove`, the smallest move limit, and the
// flight at that margin.
StageReport CheckStage(int stage, int obstacleCount, FlightSearch& search, int maxMove);
// The flight alone, at no margin: one search where CheckStage runs a score of them. The figures stay unknown.
StageReport CheckFlightOnly(int stage, int obstacleCount, FlightSearch& search, int maxMove);

// The gate is there to be reached with time to spare, not on the path's last steps.
bool ArrivesWithTimeToSpare(const StageReport& report);

// Where the stage is hardest, for its maker: "margin pinch at 41.3 s, move pinch at 12.0 s".
std::string ReportPinches(const StageReport& report);

// One line of the stage table: "| 3 | 75.0 s | 2-3 | 31 | 14 | ..." and its heading.
std::string ReportHeading();
std::string ReportRow(const StageReport& report);

}  // namespace wispen::stagecheck
