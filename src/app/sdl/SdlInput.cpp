#include "SdlInput.h"

namespace wispen {

TShiftState ModifierFlags(SDL_Keymod mods) {
  TShiftState s = 0;
  if (mods & KMOD_SHIFT) s |= ssShift;
  if (mods & KMOD_ALT) s |= ssAlt;
  if (mods & KMOD_CTRL) s |= ssCtrl;
  return s;
}

TShiftState ButtonFlags(uint32_t sdlButtons) {
  TShiftState s = 0;
  if (sdlButtons & SDL_BUTTON_LMASK) s |= ssLeft;
  if (sdlButtons & SDL_BUTTON_RMASK) s |= ssRight;
  if (sdlButtons & SDL_BUTTON_MMASK) s |= ssMiddle;
  return s;
}

std::optional<TMouseButton> GameButton(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return TMouseButton::mbLeft;
    case SDL_BUTTON_RIGHT:
      return TMouseButton::mbRight;
    case SDL_BUTTON_MIDDLE:
      return TMouseButton::mbMiddle;
    default:
      return std::nullopt;
  }
}

TShiftState PressFlags(TMouseButton button, uint8_t clicks, SDL_Keymod mods, uint32_t heldButtons) {
  TShiftState s = ModifierFlags(mods) | ButtonFlags(heldButtons) | ButtonFlag(button);
  if (clicks >= 2 && clicks % 2 == 0) s |= ssDouble;
  return s;
}

DialogKey DialogKeyFor(SDL_Keycode key) {
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return DialogKey::Enter;
    case SDLK_ESCAPE:
      return DialogKey::Escape;
    case SDLK_UP:
      return DialogKey::Up;
    case SDLK_DOWN:
      return DialogKey::Down;
    default:
      return DialogKey::Other;
  }
}

}  // namespace wispen
