#pragma once

#include <cstdint>
#include <functional>

#include "SdlWindow.h"
#include "platform/ModalDialog.h"
#include "platform/TextEngine.h"

namespace wispen {

// Shows `dialog` modally in a window of its own, centred on the screen above `owner`, and runs its events
// until it has finished or its close box was used; the window is gone when this returns. Meanwhile the owner
// takes no input; `repaintOwner` redraws it when the window system asks.
void RunDialogWindow(ModalDialog& dialog, TextEngine& text, const SdlWindow& owner,
                     const std::function<void()>& repaintOwner);

// Throws away the mouse input and close requests for window `windowId` that came while a modal box was up: a
// window that is disabled under a modal box never sees them.
void DropWindowInput(uint32_t windowId);

}  // namespace wispen
