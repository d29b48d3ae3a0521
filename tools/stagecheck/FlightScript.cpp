#include "FlightScript.h"

#include <sstream>

namespace wispen::stagecheck {

std::string FlightScript(const Flight& flight, int stage) {
  std::ostringstream out;
  out << "# A flight through stage " << stage
      << ", found by wispen_stagecheck: it reaches the goal on play tick " << flight.Arrival << ".\n";
  out << "# Starts when the stage's play timer starts, at speed factor 1; one move and one tick a line "
         "pair.\n";
  if (flight.Mouse.empty()) return out.str();
  const TPoint start = flight.Mouse.front();
  out << "move " << start.X + kPlayWindowOrigin.X << ' ' << start.Y + kPlayWindowOrigin.Y << '\n';
  for (size_t t = 1; t < flight.Mouse.size(); ++t) {
    out << "move " << flight.Mouse[t].X + kPlayWindowOrigin.X << ' '
        << flight.Mouse[t].Y + kPlayWindowOrigin.Y << "\nwait 50\n";
  }
  return out.str();
}

}  // namespace wispen::stagecheck
