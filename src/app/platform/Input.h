#pragma once

#include <cstdint>

namespace wispen {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The set of keys and buttons held during a mouse event.
enum TShiftFlag : uint8_t {
  ssShift = 1 << 0,
  ssAlt = 1 << 1,
  ssCtrl = 1 << 2,
  ssLeft = 1 << 3,
  ssRight = 1 << 4,
  ssMiddle = 1 << 5,
  ssDouble = 1 << 6,
};
using TShiftState = uint8_t;

constexpr TShiftState ButtonFlag(TMouseButton b) {
  return b == TMouseButton::mbLeft ? ssLeft : b == TMouseButton::mbRight ? ssRight : ssMiddle;
}

// Keys the main window reacts to (the opening is cut short by them).
enum class GameKey { Escape, Space, Return };

// Keys that dialogs react to.
enum class DialogKey { Enter, Escape, Up, Down, Other };

}  // namespace wispen
