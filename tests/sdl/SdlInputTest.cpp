#include <gtest/gtest.h>

#include "sdl/SdlInput.h"
#include "view/PictureFit.h"

namespace wispen {
namespace {

TEST(SdlInput, WindowPixelsMapToScreenPixelsRoundingTowardMinusInfinity) {
  auto x = [](int windowPixel, int scale) {
    const TSize size{640 * scale, 480 * scale};
    return WindowToPicture({windowPixel, 0}, size, size).X;
  };
  EXPECT_EQ(x(0, 2), 0);
  EXPECT_EQ(x(1, 2), 0);
  EXPECT_EQ(x(1279, 2), 639);
  EXPECT_EQ(x(1280, 2), 640);
  // Left of the window: the first window pixel out is the first screen pixel out.
  EXPECT_EQ(x(-1, 2), -1);
  EXPECT_EQ(x(-2, 2), -1);
  EXPECT_EQ(x(-3, 2), -2);
  EXPECT_EQ(x(-1, 3), -1);
  EXPECT_EQ(x(-3, 3), -1);
  EXPECT_EQ(x(-4, 3), -2);
  EXPECT_EQ(x(-7, 1), -7);
}

TEST(SdlInput, APressCarriesTheHeldKeysAndButtonsAndEveryOtherClickOfARunIsADoubleClick) {
  const SDL_Keymod none = KMOD_NONE;
  EXPECT_EQ(PressFlags(TMouseButton::mbLeft, 1, none, 0), ssLeft);
  EXPECT_EQ(PressFlags(TMouseButton::mbLeft, 2, none, 0), ssLeft | ssDouble);
  EXPECT_EQ(PressFlags(TMouseButton::mbLeft, 3, none, 0), ssLeft);
  EXPECT_EQ(PressFlags(TMouseButton::mbLeft, 4, none, 0), ssLeft | ssDouble);
  EXPECT_EQ(PressFlags(TMouseButton::mbMiddle, 1, KMOD_RSHIFT, SDL_BUTTON_RMASK),
            ssMiddle | ssRight | ssShift);
  EXPECT_EQ(PressFlags(TMouseButton::mbRight, 1, static_cast<SDL_Keymod>(KMOD_LALT | KMOD_RCTRL), 0),
            ssRight | ssAlt | ssCtrl);
  EXPECT_EQ(ModifierFlags(KMOD_CAPS), 0);
  EXPECT_EQ(ButtonFlags(SDL_BUTTON_LMASK | SDL_BUTTON_MMASK | SDL_BUTTON_X1MASK), ssLeft | ssMiddle);
  EXPECT_FALSE(GameButton(SDL_BUTTON_X2));
  EXPECT_EQ(GameButton(SDL_BUTTON_MIDDLE), TMouseButton::mbMiddle);
}

}  // namespace
}  // namespace wispen
