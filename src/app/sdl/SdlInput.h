#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "platform/Input.h"

namespace wispen {

// The held Shift, Alt and Ctrl keys.
TShiftState ModifierFlags(SDL_Keymod mods);
// The held buttons of an SDL button mask (SDL_BUTTON_LMASK...).
TShiftState ButtonFlags(uint32_t sdlButtons);
// The game knows three buttons; the side buttons have no place in its shift set and are not passed on.
std::optional<TMouseButton> GameButton(uint8_t sdlButton);

// The shift set of a press: the held keys and buttons, the pressed button, and ssDouble for the second press
// of a double click. SDL counts a quick run of presses 1, 2, 3, 4...; Windows starts a new pair after each
// double click, so the 4th press is a double click again and the 3rd is not.
TShiftState PressFlags(TMouseButton button, uint8_t clicks, SDL_Keymod mods, uint32_t heldButtons);

DialogKey DialogKeyFor(SDL_Keycode key);

}  // namespace wispen
