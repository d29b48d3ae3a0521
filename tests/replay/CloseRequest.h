#pragma once

namespace wispen::test {

// Asks an X window to close as its close box does (WM_DELETE_WINDOW): under a bare X server there is no
// window manager to do it. Kept apart because the X headers' macros clash with the test framework's names.
bool RequestClose(unsigned long window);

}  // namespace wispen::test
