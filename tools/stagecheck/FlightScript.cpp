#include "FlightScript.h"

#include <sstream>

#include "core/Playfield.h"

namespace wispen::stagecheck {

std::string FlightScript(const Flight& flight, int stage) {
  std::ostringstream out;
  out << "# A flight through stage " << stage
      << ", found by wispen_stagecheck: it reaches the goal on play tick " << flight.Arrival << ".\n";
  out << "# Starts when the stage's play timer starts, at speed factor 1; one move and one tick a line "
         "pair.\n";
  if (flight.Mouse.empty()) return out.str();
  const TPoint first = ViewToScreen(flight.Mouse.front());
  out << "move " << first.X << ' ' << first.Y << '\n';
  for (size_t t = 1; t < flight.Mouse.size(); ++t) {
    const TPoint at = ViewToScreen(flight.Mouse[t]);
    out << "move " << at.X << ' ' << at.Y << "\nwait 50\n";
  }
  return out.str();
}

}  // namespace wispen::stagecheck
