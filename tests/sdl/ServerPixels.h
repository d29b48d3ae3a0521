#pragma once

#include <vector>

#include "core/Colour.h"

namespace wispen::test {

// What the X server of DISPLAY shows in the window `window` from its top-left corner, w x h pixels row by
// row; empty when it cannot be read as 8 bits a colour. (Apart from the tests: Xlib's macros clash with
// theirs.)
std::vector<TColor> ShownByTheServer(unsigned long window, int w, int h);

}  // namespace wispen::test
