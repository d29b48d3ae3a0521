#pragma once

#include <cstdint>
#include <functional>

#include "SdlWindow.h"
#include "platform/ModalDialog.h"
#include "platform/TextEngine.h"

namespace wispen {

enum class DialogPlacement { CentredOnScreen, CentredOnOwner };

// Shows `dialog` modally in a window of its own above `owner`, centred as `placement` says, and runs its
// events until it has finished or its close box was used; the window is gone when this returns. Meanwhile
// the owner takes no input; `repaintOwner` redraws it when the window system asks. When the session is asked
// to end, or the owner's window is lost, the dialog closes as by its close box and the request is left for
// the owner's loop.
void RunDialogWindow(ModalDialog& dialog, TextEngine& text, const SdlWindow& owner,
                     const std::function<void()>& repaintOwner,
                     DialogPlacement placement = DialogPlacement::CentredOnScreen);

// Throws away the mouse input and close requests for window `windowId` that came while a modal box was up: a
// window that is disabled under a modal box never sees them.
void DropWindowInput(uint32_t windowId);

}  // namespace wispen
